#include "window/x11/XErrorTrap.h"

#include <atomic>

namespace platform
{

namespace
{

std::atomic<bool> xRequestFailed{false};

int recordXError(Display*, XErrorEvent*)
{
    xRequestFailed = true;
    return 0;
}

void settleConnection(Display* display)
{
    if (display != nullptr && XNextRequest(display) - 1 != LastKnownRequestProcessed(display))
        XSync(display, False);
}

}  // namespace

ScopedXErrorTrap::ScopedXErrorTrap(Display* display, Display* otherDisplay)
    : connection(display), otherConnection(otherDisplay), outerFailed(xRequestFailed.exchange(false))
{
    previous = XSetErrorHandler(recordXError);
}

ScopedXErrorTrap::~ScopedXErrorTrap()
{
    settle();
    XSetErrorHandler(previous);
    if (outerFailed)
        xRequestFailed = true;
}

bool ScopedXErrorTrap::failed()
{
    settle();
    return xRequestFailed.load();
}

void ScopedXErrorTrap::settle()
{
    settleConnection(connection);
    settleConnection(otherConnection);
}

}  // namespace platform
