#pragma once

// The editor as every plug-in format's shell sees it, whatever the format calls these: a
// window inside the host's own, opened, ticked and closed by the host's GUI thread. The
// shells translate their format's calls into these and nothing more.
//
// Threads: parameterChanged from any thread (it only posts to a lock-free inbox); every
// other call from the host's GUI thread.
class EditorView
{
public:
    // The editor draws at most one frame this often: hosts that drive it call idle at this
    // period.
    static constexpr unsigned kIdleIntervalMs = 15;

    // Modifier bits of keyPressed.
    static constexpr int kShiftModifier = 16;
    static constexpr int kControlModifier = 32;
    static constexpr int kAltModifier = 64;
    // Key codes of keyPressed besides letters (lower-case ASCII) and digits.
    static constexpr int kBackspaceKey = 8;
    static constexpr int kReturnKey = 13;
    static constexpr int kEscapeKey = 27;

    struct Size
    {
        int width;
        int height;
    };

    virtual ~EditorView() = default;

    // The window's size in the window system's pixels: the open window's, or the one the
    // next opening will have (hosts ask before they make the window).
    virtual Size size() = 0;
    // Opens inside the host's window: an X11 window id or an HWND, carried as a pointer.
    // False when there is nothing to open into.
    virtual bool open(void* nativeParent) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // The editor's own window inside the host's (an X11 window id or an HWND, as a pointer),
    // null while closed: hosts that embed plug-in windows by their id (LV2) take it.
    virtual void* nativeWindow() const = 0;
    // The host's periodic call: window-system events, then a frame when one is due.
    virtual void idle() = 0;
    // The descriptor that becomes readable when window-system events wait for the next idle
    // call (the X connection while open), -1 otherwise.
    virtual int eventDescriptor() const = 0;
    // The host's factor for the window's size, before or after opening.
    virtual void setHostScale(float factor) = 0;
    virtual void parameterChanged(int index, float value) = 0;
    // A key press the host passes on itself (VST 2.4 hosts may, instead of giving the
    // window the keyboard): `typed` is what it types (printable ASCII) or 0. True when the
    // editor used it, so the host does not.
    virtual bool keyPressed(int keyCode, int modifiers, char typed) = 0;
};
