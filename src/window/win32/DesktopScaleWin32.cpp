#include "window/DesktopScale.h"

#include <windows.h>

namespace platform
{

namespace
{

constexpr float kStandardDpi = 96.0f;
// DPI_AWARENESS_PER_MONITOR_AWARE.
constexpr int kPerMonitorAware = 2;

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetThreadDpiAwarenessContextFunction = HANDLE(WINAPI*)();
using GetAwarenessFromDpiAwarenessContextFunction = int(WINAPI*)(HANDLE);

// The per-monitor DPI calls exist from Windows 10 1607 on; looked up, so older systems load
// the plug-in and simply draw at one pixel a unit.
template <typename Function> Function user32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                             : nullptr;
}

}  // namespace

float desktopScale(void* parentWindow)
{
    const auto dpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const auto threadAwareness = user32Function<GetThreadDpiAwarenessContextFunction>("GetThreadDpiAwarenessContext");
    const auto awarenessOf =
        user32Function<GetAwarenessFromDpiAwarenessContextFunction>("GetAwarenessFromDpiAwarenessContext");
    if (parentWindow == nullptr || dpiForWindow == nullptr || threadAwareness == nullptr || awarenessOf == nullptr)
        return 0.0f;
    // A host the system scales as a bitmap already looks right at one pixel a unit.
    if (awarenessOf(threadAwareness()) != kPerMonitorAware)
        return 0.0f;
    const UINT dpi = dpiForWindow(static_cast<HWND>(parentWindow));
    return dpi > 0 ? static_cast<float>(dpi) / kStandardDpi : 0.0f;
}

}  // namespace platform
