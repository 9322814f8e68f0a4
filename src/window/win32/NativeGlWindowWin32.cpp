#include "window/NativeGlWindow.h"

#include "platform/ModuleLocation.h"
#include "window/GlRenderer.h"
#include "window/win32/SharedGlContextWin32.h"
#include "window/win32/WindowOcclusion.h"

#include <windows.h>
#include <windowsx.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace platform
{

namespace
{

// Sent to the children of a window that moved to a monitor of another DPI (Windows 10 1703
// on; older headers lack its name).
constexpr UINT kDpiChangedAfterParent = 0x02E3;

// WGL extension constants and entry points, resolved by name once a context exists.
constexpr int kWglDrawToWindow = 0x2001;
constexpr int kWglDrawToPbuffer = 0x202D;
constexpr int kWglSupportOpenGl = 0x2010;
constexpr int kWglDoubleBuffer = 0x2011;
constexpr int kWglAcceleration = 0x2003;
constexpr int kWglFullAcceleration = 0x2027;
constexpr int kWglColorBits = 0x2014;
constexpr int kWglAlphaBits = 0x201B;
constexpr int kWglDepthBits = 0x2022;
constexpr int kWglStencilBits = 0x2023;
constexpr int kWglSampleBuffers = 0x2041;
constexpr int kWglSamples = 0x2042;

using ChoosePixelFormatArb = BOOL(WINAPI*)(HDC, const int*, const FLOAT*, UINT, int*, UINT*);
using GetExtensionsStringArb = const char*(WINAPI*)(HDC);
DECLARE_HANDLE(PbufferHandle);
using CreatePbufferArb = PbufferHandle(WINAPI*)(HDC, int, int, int, const int*);
using GetPbufferDcArb = HDC(WINAPI*)(PbufferHandle);
using ReleasePbufferDcArb = int(WINAPI*)(PbufferHandle, HDC);
using DestroyPbufferArb = BOOL(WINAPI*)(PbufferHandle);

template <typename Function> Function wglFunction(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

bool hasWglExtension(HDC dc, const char* name)
{
    const auto getExtensions = wglFunction<GetExtensionsStringArb>("wglGetExtensionsStringARB");
    const char* extensions = getExtensions != nullptr ? getExtensions(dc) : nullptr;
    return extensions != nullptr && std::strstr(extensions, name) != nullptr;
}

int modifierBits()
{
    int bits = 0;
    if ((GetKeyState(VK_SHIFT) & 0x8000) != 0)
        bits |= 16;
    if ((GetKeyState(VK_CONTROL) & 0x8000) != 0)
        bits |= 32;
    if ((GetKeyState(VK_MENU) & 0x8000) != 0)
        bits |= 64;
    return bits;
}

// What the key types with the keyboard's present shift state and layout. Asked at the key
// press itself: hosts differ in whether their message loops make WM_CHAR messages for us.
char typedCharacter(WPARAM virtualKey, LPARAM keyData)
{
    BYTE state[256] = {};
    if (GetKeyboardState(state) == 0)
        return 0;
    WORD text = 0;
    const UINT scanCode = (static_cast<UINT>(keyData) >> 16) & 0xFF;
    if (ToAscii(static_cast<UINT>(virtualKey), scanCode, state, &text, 0) != 1)
        return 0;
    const char typed = static_cast<char>(text & 0xFF);
    return typed >= ' ' && typed <= '~' ? typed : 0;
}

class NativeGlWindowWin32 final : public NativeGlWindow
{
public:
    NativeGlWindowWin32(WindowEventSink& eventSink, SharedGlContextWin32* processContext, HWND parentWindow,
                        int editorWidth, int editorHeight)
        : sink(eventSink), shared(processContext), parent(parentWindow), width(editorWidth), height(editorHeight)
    {
        std::snprintf(className, sizeof(className), "BWWindow%08x",
                      static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(this)));
    }

    ~NativeGlWindowWin32() override { tearDown(); }

    bool open(int& sampleCount, std::string& error)
    {
        if (!registerClass())
        {
            error = "Failed to create window!";
            return false;
        }
        // The offscreen buffer first: it keeps the host's window free of GL drawing;
        // drawing straight into a child window is the fallback.
        if (openOffscreen(sampleCount, error))
            return true;
        tearDown();
        registerClass();
        readiness_ = Readiness::FellBackToWindowMode;
        error.clear();
        return openInWindow(sampleCount, error);
    }

    void* nativeHandle() const override { return inputWindow(); }
    void makeCurrent() override
    {
        if (pbufferContext != nullptr)
            wglMakeCurrent(pbufferDc, pbufferContext);
        else
            wglMakeCurrent(windowDc, windowContext);
    }

    void present() override
    {
        if (pbuffer == nullptr)
        {
            wglMakeCurrent(windowDc, windowContext);
            SwapBuffers(windowDc);
            return;
        }
        wglMakeCurrent(pbufferDc, pbufferContext);
        glFinish();
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadBuffer(GL_FRONT);
        glReadPixels(0, 0, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE, readBack.data());
        HDC displayDc = GetDC(displayWindow);
        SetDIBitsToDevice(displayDc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                          static_cast<UINT>(height), readBack.data(), &blitHeader, DIB_RGB_COLORS);
        ReleaseDC(displayWindow, displayDc);
    }

    // The host's message loop delivers our window's messages.
    void pumpEvents() override {}
    // The host's message loop delivers our window's messages.
    int eventDescriptor() const override { return -1; }

    void setCursor(PointerCursor shape) override
    {
        if (HCURSOR cursor = LoadCursorA(nullptr, cursorName(shape)))
            SetCursor(cursor);
    }

    void capturePointer(bool captured) override
    {
        if (captured)
            SetCapture(inputWindow());
        else
            ReleaseCapture();
    }

    // The context's objects (textures, programs, display lists) stay: drawing into the window
    // it keeps its context; offscreen, a pbuffer of the new size gets a context that shares
    // the old one's objects before the old one goes. False, with nothing changed, when a step
    // fails (the editor then opens again at the new size).
    bool resize(int newWidth, int newHeight) override
    {
        constexpr UINT kSizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
        if (pbuffer == nullptr)
        {
            if (!SetWindowPos(window, nullptr, 0, 0, newWidth, newHeight, kSizeOnly))
                return false;
            width = newWidth;
            height = newHeight;
            return true;
        }
        const int noAttributes[] = {0};
        PbufferHandle newPbuffer = createPbuffer(pbufferMaker, pbufferFormat, newWidth, newHeight, noAttributes);
        HDC newDc = newPbuffer != nullptr ? getPbufferDc(newPbuffer) : nullptr;
        // The process's context draws into the new pbuffer as into the old.
        HGLRC newContext = !ownsPbufferContext ? pbufferContext : newDc != nullptr ? createContext(newDc) : nullptr;
        // Its objects are the process's where it shares them; else the old context's.
        if (newContext == nullptr ||
            (ownsPbufferContext && shared == nullptr && !wglShareLists(pbufferContext, newContext)) ||
            !SetWindowPos(displayWindow, nullptr, 0, 0, newWidth, newHeight, kSizeOnly))
        {
            if (newContext != nullptr && ownsPbufferContext)
                wglDeleteContext(newContext);
            if (newDc != nullptr)
                releasePbufferDc(newPbuffer, newDc);
            if (newPbuffer != nullptr)
                destroyPbuffer(newPbuffer);
            return false;
        }
        wglMakeCurrent(nullptr, nullptr);
        releasePbuffer();
        pbuffer = newPbuffer;
        pbufferDc = newDc;
        pbufferContext = newContext;
        width = newWidth;
        height = newHeight;
        wglMakeCurrent(pbufferDc, pbufferContext);
        sizeReadBack();
        return true;
    }

    Readiness readiness() const override { return readiness_; }

    bool isAlive() override { return IsWindow(parent) && IsWindow(inputWindow()); }

    bool isShowing() override { return windowCanBeSeen(inputWindow()); }

    // Win32 reports a vanished window by return values, never by ending the process.
    bool runGuarded(const std::function<void()>& work) override
    {
        work();
        return isAlive();
    }

private:
    static LPCSTR cursorName(PointerCursor shape)
    {
        switch (shape)
        {
        case PointerCursor::Wait: return IDC_WAIT;
        case PointerCursor::SizeWestEast: return IDC_SIZEWE;
        case PointerCursor::SizeNorthSouth: return IDC_SIZENS;
        case PointerCursor::Move: return IDC_SIZEALL;
        case PointerCursor::SizeNorthEastSouthWest: return IDC_SIZENESW;
        case PointerCursor::SizeNorthWestSouthEast: return IDC_SIZENWSE;
        case PointerCursor::Forbidden: return IDC_NO;
        case PointerCursor::Hand: return IDC_HAND;
        case PointerCursor::Arrow: break;
        }
        return IDC_ARROW;
    }

    bool registerClass()
    {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = static_cast<HINSTANCE>(moduleInstance());
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = className;
        classRegistered = RegisterClassExA(&windowClass) != 0;
        return classRegistered;
    }

    // A context on the device that shares the process's objects, or null.
    HGLRC createContext(HDC dc) const
    {
        HGLRC context = wglCreateContext(dc);
        if (context != nullptr && shared != nullptr && !shared->share(context))
        {
            wglDeleteContext(context);
            return nullptr;
        }
        return context;
    }

    HWND createChild(const char* title, DWORD style, int windowWidth, int windowHeight)
    {
        return CreateWindowExA(0, className, title, style, 0, 0, windowWidth, windowHeight, parent, nullptr,
                               static_cast<HINSTANCE>(moduleInstance()), nullptr);
    }

    bool createContextOn(HWND target, std::string& error)
    {
        window = target;
        windowDc = GetDC(window);
        const PIXELFORMATDESCRIPTOR descriptor = editorPixelFormat();
        pixelFormat = ChoosePixelFormat(windowDc, &descriptor);
        if (pixelFormat == 0 || !SetPixelFormat(windowDc, pixelFormat, &descriptor))
        {
            error = "Can't Set The PixelFormat.";
            return false;
        }
        windowContext = createContext(windowDc);
        if (windowContext == nullptr || !wglMakeCurrent(windowDc, windowContext))
        {
            error = "Can't create render context.";
            return false;
        }
        return true;
    }

    // Re-creates the window with a multisampled pixel format when the driver offers one and
    // draws on the GPU: on a CPU rasteriser multisampling costs more than the rest of a frame.
    void selectMultisampleFormat(int& sampleCount, DWORD style, int windowWidth, int windowHeight)
    {
        if (!hasWglExtension(windowDc, "WGL_ARB_multisample") || rendererDrawsOnCpu())
        {
            sampleCount = 0;
            return;
        }
        const auto choose = wglFunction<ChoosePixelFormatArb>("wglChoosePixelFormatARB");
        if (choose == nullptr || sampleCount == 0)
            return;
        const int attributes[] = {kWglDrawToWindow,
                                  1,
                                  kWglSupportOpenGl,
                                  1,
                                  kWglAcceleration,
                                  kWglFullAcceleration,
                                  kWglColorBits,
                                  32,
                                  kWglAlphaBits,
                                  8,
                                  kWglDepthBits,
                                  16,
                                  kWglStencilBits,
                                  4,
                                  kWglSampleBuffers,
                                  1,
                                  kWglSamples,
                                  sampleCount,
                                  0};
        int format = 0;
        UINT count = 0;
        if (!choose(windowDc, attributes, nullptr, 1, &format, &count) || count == 0)
            return;
        destroyWindowContext();
        window = createChild("Brackwel", style, windowWidth, windowHeight);
        if (window == nullptr)
            return;
        windowDc = GetDC(window);
        const PIXELFORMATDESCRIPTOR descriptor = editorPixelFormat();
        SetPixelFormat(windowDc, format, &descriptor);
        pixelFormat = format;
        windowContext = createContext(windowDc);
        wglMakeCurrent(windowDc, windowContext);
    }

    bool openInWindow(int& sampleCount, std::string& error)
    {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        HWND created = createChild("Brackwel", style, width, height);
        if (created == nullptr)
        {
            error = "Failed to create window!";
            return false;
        }
        if (!createContextOn(created, error))
            return false;
        selectMultisampleFormat(sampleCount, style, width, height);
        if (windowContext == nullptr || !wglMakeCurrent(windowDc, windowContext))
        {
            error = "Can't create render context.";
            return false;
        }
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return true;
    }

    bool openOffscreen(int& sampleCount, std::string& error)
    {
        // A visible window of the editor's size shows the frames and takes the input.
        displayWindow =
            createChild("Brackwel disp", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, width, height);
        if (displayWindow == nullptr)
        {
            error = "Failed to create window!";
            return false;
        }
        if (!prepareToMakePbuffers(sampleCount, error))
            return false;
        SetWindowLongPtrA(displayWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

        const auto choose = wglFunction<ChoosePixelFormatArb>("wglChoosePixelFormatARB");
        // Resolved now: without a current context, as at teardown or a resize, there is
        // nothing to ask.
        createPbuffer = wglFunction<CreatePbufferArb>("wglCreatePbufferARB");
        getPbufferDc = wglFunction<GetPbufferDcArb>("wglGetPbufferDCARB");
        releasePbufferDc = wglFunction<ReleasePbufferDcArb>("wglReleasePbufferDCARB");
        destroyPbuffer = wglFunction<DestroyPbufferArb>("wglDestroyPbufferARB");
        if (choose == nullptr || createPbuffer == nullptr || getPbufferDc == nullptr || releasePbufferDc == nullptr ||
            destroyPbuffer == nullptr)
        {
            error = "Couldn't create PBuffer.";
            return false;
        }
        // Single-buffered: each frame is complete in the front buffer when it is read back.
        // No alpha: software rasterizers copy pbuffer images to the server at the screen's
        // depth, and a 32-bit pbuffer makes that copy fail (an X error that ends Wine).
        const int attributes[] = {kWglDrawToPbuffer,
                                  1,
                                  kWglSupportOpenGl,
                                  1,
                                  kWglDoubleBuffer,
                                  0,
                                  kWglColorBits,
                                  24,
                                  kWglAlphaBits,
                                  0,
                                  kWglDepthBits,
                                  24,
                                  kWglStencilBits,
                                  8,
                                  0};
        UINT count = 0;
        if (!choose(pbufferMaker, attributes, nullptr, 1, &pbufferFormat, &count) || count == 0)
            pbufferFormat = GetPixelFormat(pbufferMaker);
        const int noAttributes[] = {0};
        pbuffer = createPbuffer(pbufferMaker, pbufferFormat, width, height, noAttributes);
        if (pbuffer == nullptr)
        {
            error = "Couldn't create PBuffer.";
            return false;
        }
        pbufferDc = getPbufferDc(pbuffer);
        if (pbufferDc == nullptr)
        {
            error = "Can't create render device.";
            return false;
        }
        pbufferContext = drawingContextFor(pbufferDc);
        if (pbufferContext == nullptr || !wglMakeCurrent(pbufferDc, pbufferContext))
        {
            error = "Can't create render context.";
            return false;
        }
        sizeReadBack();
        return true;
    }

    // The process's hidden window makes the pbuffers where there is a process context; else
    // a tiny hidden window of this editor's own does, with a context of its own current.
    bool prepareToMakePbuffers(int& sampleCount, std::string& error)
    {
        if (shared != nullptr)
        {
            shared->makeCurrentAlone();
            pbufferMaker = shared->deviceContext();
            // Drawn offscreen, without a multisampled format of its own.
            if (!hasWglExtension(pbufferMaker, "WGL_ARB_multisample") || rendererDrawsOnCpu())
                sampleCount = 0;
            return true;
        }
        HWND helper = createChild("Brackwel", 0, 4, 4);
        if (helper == nullptr)
        {
            error = "Failed to create window!";
            return false;
        }
        if (!createContextOn(helper, error))
            return false;
        selectMultisampleFormat(sampleCount, 0, 4, 4);
        pbufferMaker = windowDc;
        return true;
    }

    // The context that draws into a pbuffer: the process's one for pbuffers where it can be
    // had, else one of this window's own.
    HGLRC drawingContextFor(HDC dc)
    {
        HGLRC processContext = shared != nullptr ? shared->offscreenContext(dc, pbufferFormat) : nullptr;
        ownsPbufferContext = processContext == nullptr;
        return processContext != nullptr ? processContext : createContext(dc);
    }

    // The frame read back from the pbuffer, and how it goes to the display window.
    void sizeReadBack()
    {
        readBack.assign(static_cast<std::size_t>(width) * height, 0);
        blitHeader = BITMAPINFO{};
        blitHeader.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        blitHeader.bmiHeader.biWidth = width;
        blitHeader.bmiHeader.biHeight = height;  // positive: rows bottom-up, as GL reads them
        blitHeader.bmiHeader.biPlanes = 1;
        blitHeader.bmiHeader.biBitCount = 32;
        blitHeader.bmiHeader.biCompression = BI_RGB;
        blitHeader.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 4);
    }

    void destroyWindowContext()
    {
        wglMakeCurrent(nullptr, nullptr);
        if (windowContext != nullptr)
            wglDeleteContext(windowContext);
        windowContext = nullptr;
        if (windowDc != nullptr)
            ReleaseDC(window, windowDc);
        windowDc = nullptr;
        // Gone already when the host destroyed its window first.
        if (window != nullptr && IsWindow(window))
            DestroyWindow(window);
        window = nullptr;
    }

    void releasePbuffer()
    {
        if (pbufferContext != nullptr && ownsPbufferContext)
            wglDeleteContext(pbufferContext);
        pbufferContext = nullptr;
        if (pbuffer != nullptr)
        {
            if (pbufferDc != nullptr)
                releasePbufferDc(pbuffer, pbufferDc);
            destroyPbuffer(pbuffer);
        }
        pbuffer = nullptr;
        pbufferDc = nullptr;
    }

    void tearDown()
    {
        wglMakeCurrent(nullptr, nullptr);
        releasePbuffer();
        destroyWindowContext();
        if (displayWindow != nullptr && IsWindow(displayWindow))
            DestroyWindow(displayWindow);
        displayWindow = nullptr;
        readBack.clear();
        if (classRegistered)
            UnregisterClassA(className, static_cast<HINSTANCE>(moduleInstance()));
        classRegistered = false;
    }

    HWND inputWindow() const { return displayWindow != nullptr ? displayWindow : window; }

    static LRESULT CALLBACK windowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<NativeGlWindowWin32*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
        if (self != nullptr)
            self->dispatch(message, wParam, lParam);
        return DefWindowProcA(handle, message, wParam, lParam);
    }

    void dispatch(UINT message, WPARAM wParam, LPARAM lParam)
    {
        WindowEvent event;
        event.modifiers = modifierBits();
        event.x = GET_X_LPARAM(lParam);
        event.yFromTop = GET_Y_LPARAM(lParam);
        switch (message)
        {
        case WM_PAINT: event.kind = WindowEvent::Kind::Paint; break;
        case kDpiChangedAfterParent: event.kind = WindowEvent::Kind::ScaleChanged; break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            event.kind = message == WM_KEYDOWN ? WindowEvent::Kind::KeyDown : WindowEvent::Kind::KeyUp;
            // Letter keys' virtual-key codes are the upper-case ASCII letters.
            event.keyCode =
                wParam >= 'A' && wParam <= 'Z' ? static_cast<int>(wParam - 'A' + 'a') : static_cast<int>(wParam);
            event.typed = message == WM_KEYDOWN ? typedCharacter(wParam, lParam) : 0;
            break;
        case WM_MOUSEMOVE:
            event.kind = WindowEvent::Kind::PointerMove;
            watchForLeave();
            break;
        case WM_MOUSELEAVE:
            watchingForLeave = false;
            event.kind = WindowEvent::Kind::PointerLeave;
            break;
        case WM_LBUTTONDOWN: event = button(event, WindowEvent::Kind::ButtonDown, WindowEvent::Button::Left); break;
        case WM_MBUTTONDOWN: event = button(event, WindowEvent::Kind::ButtonDown, WindowEvent::Button::Middle); break;
        case WM_RBUTTONDOWN: event = button(event, WindowEvent::Kind::ButtonDown, WindowEvent::Button::Right); break;
        case WM_LBUTTONUP: event = button(event, WindowEvent::Kind::ButtonUp, WindowEvent::Button::Left); break;
        case WM_MBUTTONUP: event = button(event, WindowEvent::Kind::ButtonUp, WindowEvent::Button::Middle); break;
        case WM_RBUTTONUP: event = button(event, WindowEvent::Kind::ButtonUp, WindowEvent::Button::Right); break;
        case WM_MOUSEWHEEL:
        {
            event.kind = WindowEvent::Kind::Wheel;
            event.wheelDelta = static_cast<int>(HIWORD(wParam));
            // Unlike every other pointer message, the wheel comes in screen coordinates.
            POINT point{event.x, event.yFromTop};
            ScreenToClient(inputWindow(), &point);
            event.x = point.x;
            event.yFromTop = point.y;
            break;
        }
        default: return;
        }
        sink.handleWindowEvent(event);
    }

    // Windows reports the pointer leaving only when asked again after every departure.
    void watchForLeave()
    {
        if (watchingForLeave)
            return;
        TRACKMOUSEEVENT request{};
        request.cbSize = sizeof(request);
        request.dwFlags = TME_LEAVE;
        request.hwndTrack = inputWindow();
        watchingForLeave = TrackMouseEvent(&request) != 0;
    }

    static WindowEvent button(WindowEvent event, WindowEvent::Kind kind, WindowEvent::Button which)
    {
        event.kind = kind;
        event.button = which;
        return event;
    }

    WindowEventSink& sink;
    SharedGlContextWin32* shared;
    HWND parent;
    int width;
    int height;
    char className[32] = {};
    bool classRegistered = false;
    bool watchingForLeave = false;
    Readiness readiness_ = Readiness::Ready;
    HWND window = nullptr;
    HDC windowDc = nullptr;
    HGLRC windowContext = nullptr;
    int pixelFormat = 0;
    HWND displayWindow = nullptr;
    PbufferHandle pbuffer = nullptr;
    int pbufferFormat = 0;
    CreatePbufferArb createPbuffer = nullptr;
    GetPbufferDcArb getPbufferDc = nullptr;
    ReleasePbufferDcArb releasePbufferDc = nullptr;
    DestroyPbufferArb destroyPbuffer = nullptr;
    HDC pbufferDc = nullptr;
    HGLRC pbufferContext = nullptr;
    bool ownsPbufferContext = true;
    // The device pbuffers are made with: the process's hidden window's, or this editor's.
    HDC pbufferMaker = nullptr;
    std::vector<std::uint32_t> readBack;
    BITMAPINFO blitHeader{};
};

}  // namespace

// Offscreen, each window draws with the process's context for pbuffers where there is a process
// context; in window mode with a context of its own that shares its objects (see
// SharedGlContextWin32.h).
std::unique_ptr<NativeGlWindow> NativeGlWindow::create(void* parentWindow, int width, int height,
                                                       SharedGlContext* shared, int& sampleCount, WindowEventSink& sink,
                                                       std::string& error)
{
    auto window = std::make_unique<NativeGlWindowWin32>(sink, static_cast<SharedGlContextWin32*>(shared),
                                                        static_cast<HWND>(parentWindow), width, height);
    if (!window->open(sampleCount, error))
        return nullptr;
    return window;
}

std::uint32_t tickCount()
{
    return GetTickCount();
}

}  // namespace platform
