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

HostWindow::HostWindow(int width, int height, int left) : coverLeft(left), coverWidth(width), coverHeight(height)
{
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    native = CreateWindowA(registerHostClass(), "Test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, 0,
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
    if (cover != nullptr)
        DestroyWindow(static_cast<HWND>(cover));
    cover = nullptr;
    if (native != nullptr && !destroyed)
        DestroyWindow(static_cast<HWND>(native));
    destroyed = true;
}

void HostWindow::setCovered(Cover how)
{
    if (cover == nullptr)
        cover = CreateWindowExA(WS_EX_TOPMOST, registerHostClass(), "Cover", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    // Larger than the host's frame on every side (or its left half), above every other window.
    RECT frame{};
    GetWindowRect(static_cast<HWND>(native), &frame);
    const int width = how == Cover::LeftHalf ? (frame.right - frame.left) / 2 + 8 : frame.right - frame.left + 16;
    SetWindowPos(static_cast<HWND>(cover), HWND_TOPMOST, frame.left - 8, frame.top - 8, width,
                 frame.bottom - frame.top + 16,
                 SWP_NOACTIVATE | (how == Cover::Uncovered ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
    pumpMessages();
}

void HostWindow::setShown(bool shown)
{
    ShowWindow(static_cast<HWND>(native), shown ? SW_RESTORE : SW_MINIMIZE);
    pumpMessages();
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

void* HostWindow::firstChild() const
{
    return GetWindow(static_cast<HWND>(native), GW_CHILD);
}

#else
#include "support/XDisplayConnection.h"
#include <X11/Xutil.h>

#include <cstdint>
#include <vector>

HostWindow::HostWindow(int width, int height, int left) : coverLeft(left), coverWidth(width), coverHeight(height)
{
    Display* display = openTestDisplay();
    if (display == nullptr)
        return;
    connection = display;
    const int screen = DefaultScreen(display);
    const Window window =
        XCreateSimpleWindow(display, RootWindow(display, screen), left, 0, static_cast<unsigned>(width),
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
    if (cover != nullptr)
        XDestroyWindow(static_cast<Display*>(connection), static_cast<Window>(reinterpret_cast<std::uintptr_t>(cover)));
    cover = nullptr;
    XDestroyWindow(static_cast<Display*>(connection), static_cast<Window>(reinterpret_cast<std::uintptr_t>(native)));
    XSync(static_cast<Display*>(connection), False);
    destroyed = true;
}

void HostWindow::pumpMessages()
{
    XSync(static_cast<Display*>(connection), False);
}

void HostWindow::setCovered(Cover how)
{
    auto* display = static_cast<Display*>(connection);
    if (cover == nullptr)
    {
        // Not managed by a window manager.
        const int screen = DefaultScreen(display);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.background_pixel = WhitePixel(display, screen);
        const Window window = XCreateWindow(display, RootWindow(display, screen), 0, 0, 1, 1, 0, CopyFromParent,
                                            InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
        cover = reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
    }
    const auto window = static_cast<Window>(reinterpret_cast<std::uintptr_t>(cover));
    if (how == Cover::Uncovered)
    {
        XUnmapWindow(display, window);
    }
    else
    {
        // A little larger than ours on every side (or its left half).
        const int width = how == Cover::LeftHalf ? coverWidth / 2 + 8 : coverWidth + 16;
        XMoveResizeWindow(display, window, coverLeft - 8, -8, static_cast<unsigned>(width),
                          static_cast<unsigned>(coverHeight + 16));
        XMapRaised(display, window);
    }
    XSync(display, False);
}

void HostWindow::setShown(bool shown)
{
    auto* display = static_cast<Display*>(connection);
    const auto window = static_cast<Window>(reinterpret_cast<std::uintptr_t>(native));
    if (shown)
        XMapWindow(display, window);
    else
        XUnmapWindow(display, window);
    XSync(display, False);
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

void* HostWindow::firstChild() const
{
    const std::vector<Window> children = childrenOf(static_cast<Display*>(connection), native);
    return children.empty() ? nullptr : reinterpret_cast<void*>(static_cast<std::uintptr_t>(children.front()));
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

bool HostWindow::showsDrawnEditor(int width, int height) const
{
    const std::vector<unsigned char> pixels = shownEditorPixels(width, height);
    if (pixels.size() != static_cast<std::size_t>(width) * height * 3)
        return false;
    std::size_t differing = 0;
    for (std::size_t i = 3; i < pixels.size(); ++i)
        differing += pixels[i] != pixels[i % 3];
    return differing > pixels.size() / 4;
}

void HostWindow::exposeChildren()
{
    auto* display = static_cast<Display*>(connection);
    for (Window child : childrenOf(display, native))
        XClearArea(display, child, 0, 0, 0, 0, True);
    XFlush(display);
}
#endif
