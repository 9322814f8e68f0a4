#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <vector>

// Plays the DAW in GUI tests: a real top-level X window on the test's own connection that
// the editor opens inside (real input events come through HostPointer).
class DawWindow
{
public:
    DawWindow(int width, int height);
    ~DawWindow();
    DawWindow(const DawWindow&) = delete;
    DawWindow& operator=(const DawWindow&) = delete;

    bool valid() const { return window != 0; }
    void* handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
    Display* connection() const { return display; }

    // The editor's child windows, as the X server sees them.
    std::vector<Window> children() const;

    void requestRepaint(Window child);

    // Calls `pump` until `done` answers true or five seconds have passed.
    static bool waitFor(const std::function<void()>& pump, const std::function<bool()>& done);

private:
    Display* display = nullptr;
    Window window = 0;
};
