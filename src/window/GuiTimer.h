#pragma once

#include <cstdint>

namespace platform
{

// A periodic call on the GUI thread, from its message loop, for an editor whose host lends
// it no timer: VST3 hosts on Windows, which have no run loop to offer. On X11 every host
// that embeds an editor lends one, and start answers false. GUI thread only.
class GuiTimer
{
public:
    using Callback = void (*)(void* context);

    GuiTimer() = default;
    ~GuiTimer() { stop(); }
    GuiTimer(const GuiTimer&) = delete;
    GuiTimer& operator=(const GuiTimer&) = delete;

    // Calls callback(context) about every periodMs until stopped; false when it cannot.
    bool start(unsigned periodMs, Callback callback, void* context);
    void stop();

private:
    std::uintptr_t id = 0;
};

}  // namespace platform
