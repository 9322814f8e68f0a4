#include "HostPointer.h"

#if defined(_WIN32)
#include <windows.h>

namespace
{

HWND editorWindow(void* host, int x, int y)
{
    POINT point{x, y};
    HWND child = ChildWindowFromPoint(static_cast<HWND>(host), point);
    return child != nullptr ? child : static_cast<HWND>(host);
}

}  // namespace

HostPointer::HostPointer(void* hostWindow) : connection(hostWindow) {}

HostPointer::~HostPointer() = default;

bool HostPointer::hasModifiers()
{
    return false;
}

void HostPointer::moveTo(int x, int yFromTop)
{
    lastX = x;
    lastY = yFromTop;
    PostMessageA(editorWindow(connection, x, yFromTop), WM_MOUSEMOVE, 0, MAKELPARAM(x, yFromTop));
}

void HostPointer::holdModifiers(int, bool) {}

void HostPointer::press(Button button, int)
{
    const UINT message = button == Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
    const WPARAM held = button == Left ? MK_LBUTTON : MK_RBUTTON;
    PostMessageA(editorWindow(connection, lastX, lastY), message, held, MAKELPARAM(lastX, lastY));
}

void HostPointer::release(Button button, int)
{
    const UINT message = button == Left ? WM_LBUTTONUP : WM_RBUTTONUP;
    PostMessageA(editorWindow(connection, lastX, lastY), message, 0, MAKELPARAM(lastX, lastY));
}

#else
#include "support/XDisplayConnection.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace
{

Display* display(void* connection)
{
    return static_cast<Display*>(connection);
}

}  // namespace

HostPointer::HostPointer(void*) : connection(openTestDisplay()) {}

bool HostPointer::hasModifiers()
{
    return true;
}

HostPointer::~HostPointer()
{
    if (connection != nullptr)
        XCloseDisplay(display(connection));
}

void HostPointer::moveTo(int x, int yFromTop)
{
    XTestFakeMotionEvent(display(connection), DefaultScreen(display(connection)), x, yFromTop, CurrentTime);
    XSync(display(connection), False);
}

void HostPointer::holdModifiers(int modifiers, bool held)
{
    Display* d = display(connection);
    if ((modifiers & Control) != 0)
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, XK_Control_L), held ? True : False, CurrentTime);
    if ((modifiers & Alt) != 0)
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, XK_Alt_L), held ? True : False, CurrentTime);
    if ((modifiers & Shift) != 0)
        XTestFakeKeyEvent(d, XKeysymToKeycode(d, XK_Shift_L), held ? True : False, CurrentTime);
    XSync(d, False);
}

void HostPointer::tapKey(unsigned long keysym)
{
    Display* d = display(connection);
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, keysym), True, CurrentTime);
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, keysym), False, CurrentTime);
    XSync(d, False);
}

void HostPointer::press(Button button, int modifiers)
{
    holdModifiers(modifiers, true);
    XTestFakeButtonEvent(display(connection), static_cast<unsigned>(button), True, CurrentTime);
    XSync(display(connection), False);
}

void HostPointer::release(Button button, int modifiers)
{
    XTestFakeButtonEvent(display(connection), static_cast<unsigned>(button), False, CurrentTime);
    XSync(display(connection), False);
    holdModifiers(modifiers, false);
}
#endif
