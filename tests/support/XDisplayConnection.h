#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

// Xvfb refuses new connections for a moment while it reclaims closed ones; test programs
// that open many in a row retry briefly.
inline Display* openTestDisplay()
{
    for (int attempt = 0; attempt < 20; ++attempt)
    {
        if (Display* display = XOpenDisplay(nullptr))
            return display;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return nullptr;
}
