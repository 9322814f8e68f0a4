#include "HostWindow.h"

#if defined(_WIN32)
#include <windows.h>

namespace
{

const char* registerHostClass()
{
    static const char* name = []
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VantorTestHost";
        RegisterClassA(&windowClass);
        return "VantorTestHost";
    }();
    return name;
}

BOOL CALLBACK countChild(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

}  // namespace

HostWindow::HostWindow(int width, int height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    native = CreateWindowA(registerHostClass(), "Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    pumpMessages();
}

HostWindow::~HostWindow()
{
    destroy();
}

void HostWindow::destroy()
{
    if (native != nullptr && !destroyed)
        DestroyWindow(static_cast<HWND>(native));
    destroyed = true;
}

void HostWindow::pumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void HostWindow::exposeChildren()
{
    EnumChildWindows(
        static_cast<HWND>(native),
        [](HWND child, LPARAM) -> BOOL
        {
            InvalidateRect(child, nullptr, FALSE);
            return TRUE;
        },
        0);
}

int HostWindow::childCount() const
{
    int count = 0;
    EnumChildWindows(static_cast<HWND>(native), countChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

#else
#include "support/XDisplayConnection.h"
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

HostWindow::HostWindow(int width, int height)
{
    Display* display = openTestDisplay();
    if (display == nullptr)
        return;
    connection = display;
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), 0, BlackPixel(display, screen), BlackPixel(display, screen));
    XMapWindow(display, window);
    XSync(display, False);
    native = reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
}

HostWindow::~HostWindow()
{
    destroy();
    if (connection != nullptr)
        XCloseDisplay(static_cast<Display*>(connection));
}

void HostWindow::destroy()
{
    if (connection == nullptr || destroyed)
        return;
    XDestroyWindow(static_cast<Display*>(connection), static_cast<Window>(reinterpret_cast<std::uintptr_t>(native)));
    XSync(static_cast<Display*>(connection), False);
    destroyed = true;
}

void HostWindow::pumpMessages()
{
    XSync(static_cast<Display*>(connection), False);
}

namespace
{

std::vector<Window> childrenOf(Display* display, void* native)
{
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, static_cast<Window>(reinterpret_cast<std::uintptr_t>(native)), &root, &parent, &children,
               &count);
    std::vector<Window> result(children, children + count);
    if (children != nullptr)
        XFree(children);
    return result;
}

}  // namespace

int HostWindow::childCount() const
{
    return static_cast<int>(childrenOf(static_cast<Display*>(connection), native).size());
}

std::vector<unsigned char> HostWindow::shownEditorPixels(int width, int height) const
{
    auto* display = static_cast<Display*>(connection);
    const std::vector<Window> children = childrenOf(display, native);
    if (children.empty())
        return {};
    XImage* image = XGetImage(display, children.front(), 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return {};
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const unsigned long value = XGetPixel(image, x, y);
            rgb.push_back(static_cast<unsigned char>((value & image->red_mask) >> 16));
            rgb.push_back(static_cast<unsigned char>((value & image->green_mask) >> 8));
            rgb.push_back(static_cast<unsigned char>(value & image->blue_mask));
        }
    }
    XDestroyImage(image);
    return rgb;
}

void HostWindow::exposeChildren()
{
    auto* display = static_cast<Display*>(connection);
    for (Window child : childrenOf(display, native))
        XClearArea(display, child, 0, 0, 0, 0, True);
    XFlush(display);
}
#endif
