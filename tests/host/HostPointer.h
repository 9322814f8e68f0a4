#pragma once

// Pointer input for the editor inside the test host's window: real XTest events on Linux
// (the host window sits at the screen's origin with no window manager), mouse messages
// posted to the editor's window on Windows, where modifier and other keys are not available.
// Coordinates are the host window's client pixels from the top-left corner.
class HostPointer
{
public:
    enum Button
    {
        Left = 1,
        Right = 3,
        // X only: the middle button and the wheel's notches.
        Middle = 2,
        WheelUp = 4,
        WheelDown = 5,
    };
    enum Modifier
    {
        None = 0,
        Control = 1,
        Alt = 2,
        Shift = 4,
    };

    explicit HostPointer(void* hostWindow);
    ~HostPointer();
    HostPointer(const HostPointer&) = delete;
    HostPointer& operator=(const HostPointer&) = delete;

    bool valid() const { return connection != nullptr; }
    static bool hasModifiers();
    void moveTo(int x, int yFromTop);
    void press(Button button, int modifiers = None);
    void release(Button button, int modifiers = None);
    // Holds modifier keys down, or lets them go, until said otherwise.
    void holdModifiers(int modifiers, bool held);
#if !defined(_WIN32)
    // Presses and releases a key (an X keysym) with whatever modifiers are held.
    void tapKey(unsigned long keysym);
#endif

private:
    void* connection = nullptr;  // the X display, or the host window on Windows
    int lastX = 0;
    int lastY = 0;
};
