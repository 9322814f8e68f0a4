#pragma once

// The DAW's own top-level window in editor tests: an X11 window on Linux, a Win32 window
// on Windows. The editor opens inside it through effEditOpen.
class HostWindow
{
public:
    HostWindow(int width, int height);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool valid() const { return native != nullptr; }
    void* handle() const { return native; }
    // Lets the window system deliver pending messages (Windows) or flush requests (X11).
    void pumpMessages();
    // How many child windows the editor has inside ours right now.
    int childCount() const;

private:
    void* native = nullptr;
    void* connection = nullptr;
};
