#include "window/NativeGlWindow.h"

#include "window/x11/DisplayConnection.h"
#include "window/x11/SharedGlContextX11.h"
#include "window/x11/XErrorTrap.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace platform
{

namespace
{

constexpr int kWheelNotchUp = 120;
constexpr int kWheelNotchDown = 65536 - 120;

int modifierBits(unsigned int state)
{
    int bits = 0;
    if ((state & ShiftMask) != 0)
        bits |= 16;
    if ((state & ControlMask) != 0)
        bits |= 32;
    if ((state & Mod1Mask) != 0)
        bits |= 64;
    return bits;
}

int keyCodeOf(const XKeyEvent& key)
{
    // Index 0 is the unshifted keysym, which for letters and digits is their ASCII code.
    const KeySym symbol = XLookupKeysym(const_cast<XKeyEvent*>(&key), 0);
    switch (symbol)
    {
    case XK_BackSpace: return kKeyBackspace;
    case XK_Return:
    case XK_KP_Enter: return kKeyReturn;
    case XK_Escape: return kKeyEscape;
    default: return static_cast<int>(symbol);
    }
}

char typedCharacter(const XKeyEvent& key)
{
    char text[8] = {};
    const int length = XLookupString(const_cast<XKeyEvent*>(&key), text, sizeof(text), nullptr, nullptr);
    const bool printable = length == 1 && text[0] >= ' ' && text[0] <= '~';
    return printable ? text[0] : 0;
}

class NativeGlWindowX11 final : public NativeGlWindow
{
public:
    NativeGlWindowX11(WindowEventSink& eventSink, SharedGlContextX11& glContext, Window parentWindow, int windowWidth,
                      int windowHeight)
        : sink(eventSink), shared(glContext), parent(parentWindow), width(windowWidth), height(windowHeight)
    {
    }

    ~NativeGlWindowX11() override
    {
        if (display == nullptr)
            return;
        {
            ScopedXErrorTrap trap(display, shared.connection());
            // The context lets go of our window before it goes, and stays for the next one.
            shared.makeCurrentAlone();
            if (window != 0)
                XDestroyWindow(display, window);
            if (colormap != 0)
                XFreeColormap(display, colormap);
            for (Cursor cursor : cursors)
            {
                if (cursor != 0)
                    XFreeCursor(display, cursor);
            }
            if (pixelGc != nullptr)
                XFreeGC(display, pixelGc);
            if (shownImage != nullptr)
                XDestroyImage(shownImage);
        }
        XCloseDisplay(display);
    }

    bool open(std::string& error)
    {
        display = openDisplayPatiently();
        if (display == nullptr)
        {
            error = "Can't open the X display.";
            return false;
        }
        ScopedXErrorTrap trap(display, shared.connection());
        const int screen = DefaultScreen(display);
        XVisualInfo wanted{};
        wanted.visualid = shared.visualId();
        int count = 0;
        XVisualInfo* visual = XGetVisualInfo(display, VisualIDMask, &wanted, &count);
        if (visual == nullptr || count == 0)
        {
            error = "Can't choose pixel format.";
            return false;
        }
        colormap = XCreateColormap(display, parent, visual->visual, AllocNone);
        XSetWindowAttributes attributes{};
        attributes.colormap = colormap;
        attributes.background_pixel = BlackPixel(display, screen);
        attributes.border_pixel = 0;
        attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                                LeaveWindowMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask |
                                VisibilityChangeMask;
        window = XCreateWindow(display, parent, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                               visual->depth, InputOutput, visual->visual,
                               CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
        visualInfo = *visual;
        XFree(visual);
        if (window != 0)
            preparePixelImage();
        XStoreName(display, window, "Brackwel");
        XMapWindow(display, window);
        // The context's connection must know the window before it draws into it.
        XSync(display, False);
        if (trap.failed() || window == 0)
        {
            error = "Failed to create window!";
            return false;
        }
        // Current on its own drawable until the editor says whether GL draws into the window.
        shared.makeCurrentAlone();
        if (glXGetCurrentContext() != shared.context())
        {
            error = "Can't create render context.";
            return false;
        }
        findCopySubBuffer(screen);
        return !trap.failed();
    }

    void* nativeHandle() const override { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
    void makeCurrent() override
    {
        if (offscreenOnly)
            shared.makeCurrentAlone();
        else
            glXMakeContextCurrent(shared.connection(), window, window, shared.context());
    }

    void drawOffscreenOnly(bool offscreen) override { offscreenOnly = offscreen; }

    void present() override { glXSwapBuffers(shared.connection(), window); }

    bool showsParts() const override { return copySubBuffer != nullptr; }

    // Only the changed part goes to the X server: at high resolutions a whole window per
    // frame costs more than drawing the change.
    void presentPart(int x, int y, int partWidth, int partHeight) override
    {
        copySubBuffer(shared.connection(), window, x, y, partWidth, partHeight);
    }

    void pumpEvents() override
    {
        while (XPending(display) > 0)
        {
            XEvent event;
            XNextEvent(display, &event);
            translate(event);
        }
    }

    bool showsPixels() const override { return shownImage != nullptr; }

    std::uint32_t* pixelImage(int& rowLength) override
    {
        rowLength = shownImage->bytes_per_line / 4;
        return reinterpret_cast<std::uint32_t*>(shownImage->data);
    }

    void showPixelImage(int x, int y, int partWidth, int partHeight) override
    {
        const int top = height - y - partHeight;
        XPutImage(display, window, pixelGc, shownImage, x, top, x, top, static_cast<unsigned>(partWidth),
                  static_cast<unsigned>(partHeight));
    }

    int eventDescriptor() const override { return ConnectionNumber(display); }

    void setCursor(PointerCursor shape) override
    {
        const auto index = static_cast<std::size_t>(shape);
        if (cursors[index] == 0)
            cursors[index] = XCreateFontCursor(display, fontCursorFor(shape));
        XDefineCursor(display, window, cursors[index]);
        XFlush(display);
    }

    void capturePointer(bool captured) override
    {
        if (captured)
            XGrabPointer(display, window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                         GrabModeAsync, None, None, CurrentTime);
        else
            XUngrabPointer(display, CurrentTime);
        XFlush(display);
    }

    bool resize(int newWidth, int newHeight) override
    {
        ScopedXErrorTrap trap(display, shared.connection());
        XResizeWindow(display, window, static_cast<unsigned>(newWidth), static_cast<unsigned>(newHeight));
        width = newWidth;
        height = newHeight;
        if (shownImage != nullptr)
        {
            XDestroyImage(shownImage);
            shownImage = nullptr;
            preparePixelImage();
        }
        // The context's connection must see the new size before it draws.
        XSync(display, False);
        return !trap.failed();
    }

    Readiness readiness() const override { return Readiness::Ready; }

    // The host's window going takes ours with it, so asking after ours tells of both; the
    // answer also says whether ours is viewable, which isShowing uses.
    bool isAlive() override
    {
        if (lost)
            return false;
        ScopedXErrorTrap trap(display, shared.connection());
        XWindowAttributes attributes;
        viewable = XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
        lost = trap.failed();
        return !lost;
    }

    // The server reports a window covered whole, but not one that stopped being viewable
    // because a window it lies in was unmapped (minimised): isAlive asked that, just before.
    bool isShowing() override { return viewable && !fullyCovered; }

    bool runGuarded(const std::function<void()>& work) override
    {
        ScopedXErrorTrap trap(display, shared.connection());
        work();
        return !trap.failed();
    }

private:
    using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);

    void findCopySubBuffer(int screen)
    {
        const char* extensions = glXQueryExtensionsString(shared.connection(), screen);
        if (extensions == nullptr || !hasExtension(extensions, "GLX_MESA_copy_sub_buffer"))
            return;
        copySubBuffer = reinterpret_cast<CopySubBuffer>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")));
    }

    // An image of the window's size in the server's own 32-bit pixel layout (blue in the low
    // byte), which GL's BGRA words are: then read-back pixels go to the window as they are.
    void preparePixelImage()
    {
        const XVisualInfo* visual = &visualInfo;
        if (visual->red_mask != 0xff0000 || visual->green_mask != 0xff00 || visual->blue_mask != 0xff ||
            ImageByteOrder(display) != LSBFirst)
            return;
        const auto bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
        // XDestroyImage frees the pixels with free().
        auto* pixels = static_cast<char*>(std::malloc(bytes));
        if (pixels == nullptr)
            return;
        shownImage = XCreateImage(display, visual->visual, static_cast<unsigned>(visual->depth), ZPixmap, 0, pixels,
                                  static_cast<unsigned>(width), static_cast<unsigned>(height), 32, width * 4);
        if (shownImage == nullptr || shownImage->bits_per_pixel != 32)
        {
            if (shownImage != nullptr)
                XDestroyImage(shownImage);
            else
                std::free(pixels);
            shownImage = nullptr;
            return;
        }
        if (pixelGc == nullptr)
            pixelGc = XCreateGC(display, window, 0, nullptr);
    }

    static bool hasExtension(std::string_view list, std::string_view name)
    {
        for (std::size_t at = list.find(name); at != std::string_view::npos; at = list.find(name, at + 1))
        {
            const std::size_t end = at + name.size();
            if ((at == 0 || list[at - 1] == ' ') && (end == list.size() || list[end] == ' '))
                return true;
        }
        return false;
    }

    static unsigned int fontCursorFor(PointerCursor shape)
    {
        switch (shape)
        {
        case PointerCursor::Wait: return XC_watch;
        case PointerCursor::SizeWestEast: return XC_sb_h_double_arrow;
        case PointerCursor::SizeNorthSouth: return XC_sb_v_double_arrow;
        case PointerCursor::Move: return XC_fleur;
        case PointerCursor::SizeNorthEastSouthWest: return XC_bottom_left_corner;
        case PointerCursor::SizeNorthWestSouthEast: return XC_bottom_right_corner;
        case PointerCursor::Forbidden: return XC_X_cursor;
        case PointerCursor::Hand: return XC_hand2;
        case PointerCursor::Arrow: break;
        }
        return XC_left_ptr;
    }

    static WindowEvent::Button buttonFor(unsigned int button)
    {
        switch (button)
        {
        case Button1: return WindowEvent::Button::Left;
        case Button2: return WindowEvent::Button::Middle;
        case Button3: return WindowEvent::Button::Right;
        default: return WindowEvent::Button::NoButton;
        }
    }

    void translate(const XEvent& event)
    {
        WindowEvent out;
        switch (event.type)
        {
        case VisibilityNotify: fullyCovered = event.xvisibility.state == VisibilityFullyObscured; return;
        case Expose:
            // Only the last of a series of exposures repaints.
            if (event.xexpose.count != 0)
                return;
            out.kind = WindowEvent::Kind::Paint;
            break;
        case MotionNotify:
            out.kind = WindowEvent::Kind::PointerMove;
            out.x = event.xmotion.x;
            out.yFromTop = event.xmotion.y;
            out.modifiers = modifierBits(event.xmotion.state);
            break;
        case LeaveNotify:
            // Grabbing and releasing the pointer also sends crossing events; only a real
            // departure of the pointer ends the hover.
            if (event.xcrossing.mode != NotifyNormal)
                return;
            out.kind = WindowEvent::Kind::PointerLeave;
            break;
        case ButtonPress:
        case ButtonRelease:
            out.x = event.xbutton.x;
            out.yFromTop = event.xbutton.y;
            out.modifiers = modifierBits(event.xbutton.state);
            // The wheel arrives as buttons 4 (up) and 5 (down); only the press counts.
            if (event.xbutton.button == Button4 || event.xbutton.button == Button5)
            {
                if (event.type == ButtonRelease)
                    return;
                out.kind = WindowEvent::Kind::Wheel;
                out.wheelDelta = event.xbutton.button == Button4 ? kWheelNotchUp : kWheelNotchDown;
                break;
            }
            out.button = buttonFor(event.xbutton.button);
            if (out.button == WindowEvent::Button::NoButton)
                return;
            out.kind = event.type == ButtonPress ? WindowEvent::Kind::ButtonDown : WindowEvent::Kind::ButtonUp;
            break;
        case KeyPress:
        case KeyRelease:
            out.kind = event.type == KeyPress ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::KeyUp;
            out.keyCode = keyCodeOf(event.xkey);
            out.typed = event.type == KeyPress ? typedCharacter(event.xkey) : 0;
            out.modifiers = modifierBits(event.xkey.state);
            break;
        default: return;
        }
        sink.handleWindowEvent(out);
    }

    WindowEventSink& sink;
    SharedGlContextX11& shared;
    Window parent;
    bool lost = false;  // once gone, a window never comes back
    bool offscreenOnly = true;
    bool fullyCovered = false;
    bool viewable = true;
    int width;
    int height;
    Display* display = nullptr;
    Window window = 0;
    Colormap colormap = 0;
    CopySubBuffer copySubBuffer = nullptr;
    Cursor cursors[9] = {};
    XVisualInfo visualInfo{};
    XImage* shownImage = nullptr;
    GC pixelGc = nullptr;
};

}  // namespace

std::unique_ptr<NativeGlWindow> NativeGlWindow::create(void* parentWindow, int width, int height,
                                                       SharedGlContext* shared, int& sampleCount, WindowEventSink& sink,
                                                       std::string& error)
{
    // Every window here is drawn by the process's context.
    if (shared == nullptr)
        return nullptr;
    sampleCount = static_cast<SharedGlContextX11&>(*shared).sampleCount();
    const auto parent = static_cast<Window>(reinterpret_cast<std::uintptr_t>(parentWindow));
    auto window =
        std::make_unique<NativeGlWindowX11>(sink, static_cast<SharedGlContextX11&>(*shared), parent, width, height);
    if (!window->open(error))
        return nullptr;
    return window;
}

std::uint32_t tickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace platform
