#pragma once

namespace platform
{

// How large the desktop draws things, as a multiple of 96 dots per inch: on X11 the Xft.dpi
// resource that desktops set for high-resolution screens, on Windows the DPI of the monitor
// the host's window is on, when the host is aware of each monitor's DPI. 0 when the desktop
// says nothing (the parent may be null before the editor opens).
float desktopScale(void* parentWindow);

}  // namespace platform
