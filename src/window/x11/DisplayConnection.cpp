#include "window/x11/DisplayConnection.h"

#include <chrono>
#include <thread>

namespace platform
{

Display* openDisplayPatiently()
{
    constexpr int kAttempts = 20;
    for (int attempt = 0; attempt < kAttempts; ++attempt)
    {
        if (Display* display = XOpenDisplay(nullptr))
            return display;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return nullptr;
}

}  // namespace platform
