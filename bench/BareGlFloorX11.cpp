#include "BareGlFloor.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <chrono>

double bareGlFirstTriangleMs(int width, int height)
{
    const auto start = std::chrono::steady_clock::now();
    Display* display = XOpenDisplay(nullptr);
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 24, GLX_STENCIL_SIZE, 8, None};
    XVisualInfo* visual = display != nullptr ? glXChooseVisual(display, DefaultScreen(display), attributes) : nullptr;
    if (visual == nullptr)
        return -1.0;
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    XSetWindowAttributes windowAttributes{};
    windowAttributes.colormap =
        XCreateColormap(display, RootWindow(display, visual->screen), visual->visual, AllocNone);
    const Window window =
        XCreateWindow(display, RootWindow(display, visual->screen), 0, 0, static_cast<unsigned>(width),
                      static_cast<unsigned>(height), 0, visual->depth, InputOutput, visual->visual, CWColormap,
                      &windowAttributes);
    XMapWindow(display, window);
    glXMakeCurrent(display, window, context);
    drawBareTriangle();
    glXSwapBuffers(display, window);
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
