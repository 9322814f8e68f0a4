#pragma once

struct _XDisplay;

// Real pointer and modifier-key events through the X server (XTest), as a user's mouse and
// keyboard make them. Positions are pixels of the host window, which sits at the screen's
// origin (Xvfb has no window manager).
class PointerInput
{
public:
    PointerInput();
    ~PointerInput();
    PointerInput(const PointerInput&) = delete;
    PointerInput& operator=(const PointerInput&) = delete;

    bool valid() const { return display != nullptr; }
    void moveTo(int x, int yFromTop);
    void press(unsigned int button = 1);
    void release(unsigned int button = 1);
    void holdShift(bool held);
    void holdControl(bool held);
    // Presses and releases a key (an X keysym) with whatever modifiers are held.
    void tapKey(unsigned long keysym);

private:
    void key(unsigned long keysym, bool held);

    _XDisplay* display = nullptr;
};
