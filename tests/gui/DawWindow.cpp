#include "DawWindow.h"

#include "support/XDisplayConnection.h"

#include <chrono>
#include <thread>

DawWindow::DawWindow(int width, int height)
{
    display = openTestDisplay();
    if (display == nullptr)
        return;
    const int screen = DefaultScreen(display);
    window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
                                 static_cast<unsigned>(height), 0, BlackPixel(display, screen),
                                 BlackPixel(display, screen));
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    XEvent event;
    do
        XNextEvent(display, &event);
    while (event.type != MapNotify);
    XSync(display, False);
}

DawWindow::~DawWindow()
{
    if (display == nullptr)
        return;
    if (window != 0)
        XDestroyWindow(display, window);
    XCloseDisplay(display);
}

std::vector<Window> DawWindow::children() const
{
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &list, &count) != 0)
    {
        result.assign(list, list + count);
        if (list != nullptr)
            XFree(list);
    }
    return result;
}

void DawWindow::requestRepaint(Window child)
{
    XClearArea(display, child, 0, 0, 0, 0, True);
    XSync(display, False);
}

bool DawWindow::waitFor(const std::function<void()>& pump, const std::function<bool()>& done)
{
    // Generous: a loaded CI machine renders slowly; the wait ends as soon as it can.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline)
    {
        pump();
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}
