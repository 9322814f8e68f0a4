#pragma once

#include <vector>

// The DAW's own top-level window in editor tests: an X11 window on Linux, a Win32 window
// on Windows. The editor opens inside it through effEditOpen.
class HostWindow
{
public:
    // left: where on the screen, so that two windows can lie side by side.
    HostWindow(int width, int height, int left = 0);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool valid() const { return native != nullptr; }
    void* handle() const { return native; }
    // Lets the window system deliver pending messages (Windows) or flush requests (X11).
    void pumpMessages();
    // How many child windows the editor has inside ours right now.
    int childCount() const;
    // The first child window inside ours (the editor's), or null: which window it is.
    void* firstChild() const;
    // Tells the windows inside ours that their whole area must be painted again, as the
    // window system does when a covering window goes away.
    void exposeChildren();
    // Puts another window over the whole of ours or over its left half, or takes it away
    // again, as a user does who drags another program over the DAW.
    enum class Cover
    {
        Uncovered,
        LeftHalf,
        Whole,
    };
    void setCovered(Cover how);
    // Takes the window off the screen and puts it back, as minimising and restoring do.
    void setShown(bool shown);
#if !defined(_WIN32)
    // What the X server shows of the editor's window, red, green and blue per pixel, rows from
    // the top; empty without a child window.
    std::vector<unsigned char> shownEditorPixels(int width, int height) const;
    // Whether the editor's window shows a drawn faceplate, not one flat colour (its
    // background before any frame).
    bool showsDrawnEditor(int width, int height) const;
#endif
    // Destroys the window now, as a host does when the user closes it through the window
    // manager while the editor is still open; handle() keeps the old value.
    void destroy();

private:
    void* native = nullptr;
    void* cover = nullptr;
    int coverLeft = 0;
    int coverWidth = 0;
    int coverHeight = 0;
    bool destroyed = false;
    void* connection = nullptr;
};
