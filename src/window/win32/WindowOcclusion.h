#pragma once

#include <windows.h>

namespace platform
{

// Whether anybody can see the window: it and every window it lies in are shown, its
// top-level window is not minimised, and no window above that one covers it whole. With
// desktop composition the system keeps painting covered windows, so the windows above are
// looked at one by one (those the compositor hides, and see-through ones, cover nothing).
bool windowCanBeSeen(HWND window);

}  // namespace platform
