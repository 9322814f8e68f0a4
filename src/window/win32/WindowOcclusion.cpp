#include "window/win32/WindowOcclusion.h"

namespace platform
{

namespace
{

// DWMWA_CLOAKED: the compositor hides the window (another virtual desktop, a suspended app).
constexpr DWORD kCloakedAttribute = 14;
using GetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);

// Asked of dwmapi.dll by name: not every system has it, and the module imports only what
// every Windows has.
GetWindowAttribute compositorQuery()
{
    static const GetWindowAttribute query = []
    {
        HMODULE library = LoadLibraryA("dwmapi.dll");
        return library != nullptr ? reinterpret_cast<GetWindowAttribute>(
                                        reinterpret_cast<void*>(GetProcAddress(library, "DwmGetWindowAttribute")))
                                  : nullptr;
    }();
    return query;
}

bool cloaked(HWND window)
{
    const GetWindowAttribute query = compositorQuery();
    DWORD value = 0;
    return query != nullptr && SUCCEEDED(query(window, kCloakedAttribute, &value, sizeof(value))) && value != 0;
}

bool coversWhole(HWND above, const RECT& own)
{
    if (!IsWindowVisible(above) || IsIconic(above) || cloaked(above))
        return false;
    if ((GetWindowLongA(above, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) != 0)
        return false;
    RECT cover{};
    return GetWindowRect(above, &cover) && cover.left <= own.left && cover.top <= own.top && cover.right >= own.right &&
           cover.bottom >= own.bottom;
}

}  // namespace

bool windowCanBeSeen(HWND window)
{
    if (!IsWindowVisible(window))
        return false;
    const HWND top = GetAncestor(window, GA_ROOT);
    if (top == nullptr || IsIconic(top))
        return false;
    RECT own{};
    if (!GetWindowRect(window, &own) || own.right <= own.left || own.bottom <= own.top)
        return false;
    for (HWND above = GetWindow(top, GW_HWNDPREV); above != nullptr; above = GetWindow(above, GW_HWNDPREV))
    {
        if (coversWhole(above, own))
            return false;
    }
    return true;
}

}  // namespace platform
