#include "PointerInput.h"

#include "support/XDisplayConnection.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

PointerInput::PointerInput() : display(openTestDisplay()) {}

PointerInput::~PointerInput()
{
    if (display != nullptr)
        XCloseDisplay(display);
}

void PointerInput::moveTo(int x, int yFromTop)
{
    XTestFakeMotionEvent(display, DefaultScreen(display), x, yFromTop, CurrentTime);
    XSync(display, False);
}

void PointerInput::press(unsigned int button)
{
    XTestFakeButtonEvent(display, button, True, CurrentTime);
    XSync(display, False);
}

void PointerInput::release(unsigned int button)
{
    XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
}

void PointerInput::holdShift(bool held)
{
    key(XK_Shift_L, held);
}

void PointerInput::holdControl(bool held)
{
    key(XK_Control_L, held);
}

void PointerInput::tapKey(unsigned long keysym)
{
    key(keysym, true);
    key(keysym, false);
}

void PointerInput::key(unsigned long keysym, bool held)
{
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, keysym), held ? True : False, CurrentTime);
    XSync(display, False);
}
