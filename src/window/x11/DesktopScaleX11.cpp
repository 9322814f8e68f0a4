#include "window/DesktopScale.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <string>
#include <string_view>

namespace platform
{

namespace
{

constexpr float kStandardDpi = 96.0f;
constexpr std::string_view kDpiResource = "Xft.dpi:";

// The Xft.dpi value in the resource database text (lines "name:<whitespace>value"), or 0.
float dpiIn(std::string_view resources)
{
    for (std::size_t start = 0; start < resources.size();)
    {
        std::size_t end = resources.find('\n', start);
        if (end == std::string_view::npos)
            end = resources.size();
        const std::string_view line = resources.substr(start, end - start);
        start = end + 1;
        if (line.substr(0, kDpiResource.size()) != kDpiResource)
            continue;
        const std::string value(line.substr(kDpiResource.size()));
        const float dpi = std::strtof(value.c_str(), nullptr);
        return dpi > 0.0f ? dpi : 0.0f;
    }
    return 0.0f;
}

}  // namespace

float desktopScale(void*)
{
    // A connection of its own: the resource database is read when a connection opens, so
    // this sees the desktop's current setting.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 0.0f;
    const char* resources = XResourceManagerString(display);
    const float dpi = resources != nullptr ? dpiIn(resources) : 0.0f;
    XCloseDisplay(display);
    return dpi / kStandardDpi;
}

}  // namespace platform
