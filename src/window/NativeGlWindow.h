#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform
{

class SharedGlContext;

// A window event, already in the editor's terms: pixel coordinates with x from the left
// and y counted from the top (the editor turns it upwards), modifier bits 16 Shift,
// 32 Control, 64 Alt.
struct WindowEvent
{
    enum class Kind
    {
        Paint,
        PointerMove,
        PointerLeave,  // the pointer left the window (hover ends)
        ButtonDown,
        ButtonUp,
        Wheel,
        KeyDown,
        KeyUp,
        ScaleChanged,  // the window now shows on a screen of another resolution
    };
    enum class Button
    {
        NoButton,
        Left,
        Middle,
        Right,
    };

    Kind kind = Kind::Paint;
    Button button = Button::NoButton;
    int x = 0;
    int yFromTop = 0;
    int modifiers = 0;
    int wheelDelta = 0;  // as a 16-bit unsigned word: one notch up 120, one down 65416
    // A letter or digit key as its lower-case ASCII character, whatever the shift state and
    // the system; Backspace, Return and Escape as kKeyBackspace, kKeyReturn and kKeyEscape;
    // other keys as the system names them.
    int keyCode = 0;
    // What a key press types, as printable ASCII (shift and layout applied); 0 for a key
    // that types nothing (or nothing ASCII).
    char typed = 0;
};

// The keys a text field needs, alike on every system (they are Windows' key codes, and the
// editor view's).
constexpr int kKeyBackspace = 8;
constexpr int kKeyReturn = 13;
constexpr int kKeyEscape = 27;

class WindowEventSink
{
public:
    virtual ~WindowEventSink() = default;
    virtual void handleWindowEvent(const WindowEvent& event) = 0;
};

enum class PointerCursor
{
    Arrow,
    Wait,
    SizeWestEast,
    SizeNorthSouth,
    Move,
    SizeNorthEastSouthWest,
    SizeNorthWestSouthEast,
    Forbidden,
    Hand,
};

// A child window inside the host's parent window with an OpenGL context bound to it.
// Everything runs on the host's GUI thread.
class NativeGlWindow
{
public:
    // Status after creation: ready, or ready after falling back from an offscreen
    // buffer to drawing straight into the window.
    enum class Readiness
    {
        Ready,
        FellBackToWindowMode,
    };

    // Null, with a user-facing reason in `error`, when no window or context could be made.
    // With the process's shared context (see SharedGlContext), the window is drawn by it and
    // sampleCount comes back as it has it; without, the window makes a context of its own
    // with the multisample count wanted, which comes back 0 when the driver has none or
    // draws on the CPU.
    static std::unique_ptr<NativeGlWindow> create(void* parentWindow, int width, int height, SharedGlContext* shared,
                                                  int& sampleCount, WindowEventSink& sink, std::string& error);
    virtual ~NativeGlWindow() = default;

    // The window itself (an X11 window id or an HWND, as a pointer): what a host that embeds
    // plug-in windows by their id (LV2) is handed.
    virtual void* nativeHandle() const = 0;
    virtual void makeCurrent() = 0;
    // Shows the frame just drawn.
    virtual void present() = 0;
    // True when the window can show part of its back buffer without swapping, so the back
    // buffer always keeps the whole picture; then every frame is shown with presentPart.
    virtual bool showsParts() const { return false; }
    // Shows a rectangle of the back buffer, in pixels from the bottom-left corner.
    virtual void presentPart(int, int, int, int) { present(); }
    // True when the window can show pixels read back from an offscreen picture by itself:
    // where GL draws on the CPU, cheaper than GL copying them to the back buffer to present.
    virtual bool showsPixels() const { return false; }
    // The image of the window's size such pixels are written into, for showPixelImage:
    // 32-bit words (blue in the low byte, then green and red), rows from the top, rowLength
    // words apart. Where showsPixels.
    virtual std::uint32_t* pixelImage(int& rowLength)
    {
        rowLength = 0;
        return nullptr;
    }
    // Shows a rectangle of that image, at x, y in pixels from the bottom-left corner.
    virtual void showPixelImage(int, int, int, int) {}
    // Whether GL never draws into the window (frames reach it only through showPixelImage):
    // then makeCurrent makes the context current on a drawable of its own, and the window gets
    // no GL buffers of its size (at 200 % about 10 MB an editor). Until told, the context may
    // be current on either.
    virtual void drawOffscreenOnly(bool) {}
    // Hands pending window-system events to the sink (where the host does not deliver
    // them itself).
    virtual void pumpEvents() = 0;
    // The file descriptor that becomes readable when window-system events wait for
    // pumpEvents (the X connection), or -1 where events come otherwise (Windows).
    virtual int eventDescriptor() const = 0;
    virtual void setCursor(PointerCursor shape) = 0;
    virtual void capturePointer(bool captured) = 0;
    // Gives the window a new size in pixels, keeping it and its context; false where the
    // window cannot change size (then it must be made again).
    virtual bool resize(int, int) { return false; }
    virtual Readiness readiness() const = 0;
    // False once the host's parent window, and so ours, is gone: hosts may destroy their
    // window before they close the editor.
    virtual bool isAlive() = 0;
    // False while nobody can see the window: it, or a window it lies in, is unmapped, hidden
    // or minimised, or other windows cover it whole. Asked between events, after isAlive.
    virtual bool isShowing() = 0;
    // Runs work (drawing, event handling, teardown) so that a window-system error it causes
    // never ends the host; false when such an error happened.
    virtual bool runGuarded(const std::function<void()>& work) = 0;
};

// Milliseconds from a monotonic clock.
std::uint32_t tickCount();

}  // namespace platform
