#include "window/win32/SharedGlContextWin32.h"

#include "platform/ModuleLocation.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>

namespace platform
{

PIXELFORMATDESCRIPTOR editorPixelFormat()
{
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof(descriptor);
    descriptor.nVersion = 1;
    // Double-buffered so a window-mode editor never shows half-drawn frames.
    descriptor.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    descriptor.iPixelType = PFD_TYPE_RGBA;
    descriptor.cColorBits = 32;
    descriptor.cAlphaBits = 8;
    descriptor.cDepthBits = 24;
    descriptor.cStencilBits = 8;
    descriptor.iLayerType = PFD_MAIN_PLANE;
    return descriptor;
}

// Where sharing cannot be had, each editor's window keeps its objects to itself, as before:
// no error for the user.
std::shared_ptr<SharedGlContext> SharedGlContext::acquire(int&, std::string&)
{
    static std::weak_ptr<SharedGlContextWin32> processContext;
    std::shared_ptr<SharedGlContextWin32> context = processContext.lock();
    if (context == nullptr)
    {
        context = std::make_shared<SharedGlContextWin32>();
        if (!context->open())
            return nullptr;
        processContext = context;
    }
    return context;
}

bool SharedGlContextWin32::open()
{
    std::snprintf(className, sizeof(className), "BWSharedGl%08x",
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(this)));
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = static_cast<HINSTANCE>(moduleInstance());
    windowClass.lpszClassName = className;
    classRegistered = RegisterClassExA(&windowClass) != 0;
    if (classRegistered)
        hidden = CreateWindowExA(0, className, "Brackwel", WS_POPUP, 0, 0, 4, 4, nullptr, nullptr,
                                 static_cast<HINSTANCE>(moduleInstance()), nullptr);
    hiddenDc = hidden != nullptr ? GetDC(hidden) : nullptr;
    const PIXELFORMATDESCRIPTOR descriptor = editorPixelFormat();
    const int format = hiddenDc != nullptr ? ChoosePixelFormat(hiddenDc, &descriptor) : 0;
    if (format == 0 || !SetPixelFormat(hiddenDc, format, &descriptor))
        return false;
    glContext = wglCreateContext(hiddenDc);
    // Sharing must work before any editor relies on it: a scratch context tries.
    HGLRC scratch = glContext != nullptr ? wglCreateContext(hiddenDc) : nullptr;
    const bool shares = scratch != nullptr && share(scratch);
    if (scratch != nullptr)
        wglDeleteContext(scratch);
    return shares;
}

SharedGlContextWin32::~SharedGlContextWin32()
{
    for (HGLRC context : {offscreen, glContext})
    {
        if (context == nullptr)
            continue;
        if (wglGetCurrentContext() == context)
            wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(context);
    }
    if (hiddenDc != nullptr)
        ReleaseDC(hidden, hiddenDc);
    if (hidden != nullptr)
        DestroyWindow(hidden);
    if (classRegistered)
        UnregisterClassA(className, static_cast<HINSTANCE>(moduleInstance()));
}

void SharedGlContextWin32::makeCurrentAlone()
{
    wglMakeCurrent(hiddenDc, glContext);
}

bool SharedGlContextWin32::share(HGLRC context) const
{
    return wglShareLists(glContext, context) != FALSE;
}

HGLRC SharedGlContextWin32::offscreenContext(HDC pbufferDc, int pixelFormat)
{
    if (offscreen != nullptr)
        return pixelFormat == offscreenFormat ? offscreen : nullptr;
    HGLRC made = wglCreateContext(pbufferDc);
    if (made == nullptr || !share(made))
    {
        if (made != nullptr)
            wglDeleteContext(made);
        return nullptr;
    }
    offscreen = made;
    offscreenFormat = pixelFormat;
    return offscreen;
}

}  // namespace platform
