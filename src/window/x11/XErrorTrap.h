#pragma once

#include <X11/Xlib.h>

namespace platform
{

// Xlib's default error handler ends the process; a plug-in must never take its host down,
// so while a trap lives a failed request only marks the attempt failed. The handler is the
// process's, so it catches errors of every connection; the trap waits for the answers of
// the connections it is given (an editor's own and the GL one) before it lets go.
class ScopedXErrorTrap
{
public:
    // Traps nest: an inner trap hands any failure it saw on to the one around it.
    explicit ScopedXErrorTrap(Display* display, Display* otherDisplay = nullptr);
    ~ScopedXErrorTrap();
    ScopedXErrorTrap(const ScopedXErrorTrap&) = delete;
    ScopedXErrorTrap& operator=(const ScopedXErrorTrap&) = delete;

    bool failed();

private:
    // Waits for the server to answer every request sent so far, unless it already has: an
    // idle call that sent nothing (the editor unseen) costs no round trip.
    void settle();

    Display* connection;
    Display* otherConnection;
    bool outerFailed;
    int (*previous)(Display*, XErrorEvent*) = nullptr;
};

}  // namespace platform
