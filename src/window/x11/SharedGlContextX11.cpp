#include "window/x11/SharedGlContextX11.h"

#include "window/GlRenderer.h"
#include "window/x11/DisplayConnection.h"
#include "window/x11/XErrorTrap.h"

#include <vector>

namespace platform
{

namespace
{

GLXFBConfig chooseConfig(Display* display, int screen, int& sampleCount)
{
    const int samples = sampleCount;
    // The plain format, and the same with multisampling appended before the terminator.
    std::vector<int> plain{GLX_X_RENDERABLE,  True,
                           GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                           GLX_RENDER_TYPE,   GLX_RGBA_BIT,
                           GLX_DOUBLEBUFFER,  True,
                           GLX_RED_SIZE,      8,
                           GLX_GREEN_SIZE,    8,
                           GLX_BLUE_SIZE,     8,
                           GLX_ALPHA_SIZE,    8,
                           GLX_DEPTH_SIZE,    24,
                           GLX_STENCIL_SIZE,  4};
    std::vector<int> multisampled = plain;
    multisampled.insert(multisampled.end(), {GLX_SAMPLE_BUFFERS, 1, GLX_SAMPLES, samples, None});
    plain.push_back(None);
    int count = 0;
    GLXFBConfig* configs = samples > 0 ? glXChooseFBConfig(display, screen, multisampled.data(), &count) : nullptr;
    if (configs == nullptr || count == 0)
    {
        if (configs != nullptr)
            XFree(configs);
        sampleCount = 0;
        configs = glXChooseFBConfig(display, screen, plain.data(), &count);
    }
    if (configs == nullptr || count == 0)
    {
        if (configs != nullptr)
            XFree(configs);
        return nullptr;
    }
    GLXFBConfig chosen = configs[0];
    XFree(configs);
    return chosen;
}

}  // namespace

std::shared_ptr<SharedGlContext> SharedGlContext::acquire(int& sampleCount, std::string& error)
{
    static std::weak_ptr<SharedGlContextX11> processContext;
    std::shared_ptr<SharedGlContextX11> context = processContext.lock();
    if (context == nullptr)
    {
        context = std::make_shared<SharedGlContextX11>();
        if (!context->open(sampleCount, error))
            return nullptr;
        processContext = context;
    }
    sampleCount = context->sampleCount();
    return context;
}

SharedGlContextX11::~SharedGlContextX11()
{
    if (display == nullptr)
        return;
    {
        ScopedXErrorTrap trap(display);
        destroyContext();
    }
    XCloseDisplay(display);
}

bool SharedGlContextX11::open(int& sampleCount, std::string& error)
{
    display = openDisplayPatiently();
    if (display == nullptr)
    {
        error = "Can't open the X display.";
        return false;
    }
    ScopedXErrorTrap trap(display);
    // Multisampling belongs where it is cheap: on a CPU rasteriser it costs more than the
    // rest of the frame. A context without samples tells which renderer draws; only a GPU's
    // is made again with them (there a context costs little, on a CPU one it costs much).
    const int wanted = sampleCount;
    sampleCount = 0;
    if (!makeContext(sampleCount, error))
        return false;
    if (wanted != 0 && !rendererDrawsOnCpu())
    {
        destroyContext();
        sampleCount = wanted;
        if (!makeContext(sampleCount, error))
            return false;
    }
    samples = sampleCount;
    return !trap.failed();
}

bool SharedGlContextX11::makeContext(int& sampleCount, std::string& error)
{
    const int screen = DefaultScreen(display);
    GLXFBConfig config = chooseConfig(display, screen, sampleCount);
    XVisualInfo* visualInfo = config != nullptr ? glXGetVisualFromFBConfig(display, config) : nullptr;
    if (visualInfo == nullptr)
    {
        error = "Can't choose pixel format.";
        return false;
    }
    visual = visualInfo->visualid;
    const Window root = RootWindow(display, screen);
    hiddenColormap = XCreateColormap(display, root, visualInfo->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = hiddenColormap;
    attributes.border_pixel = 0;
    hidden = XCreateWindow(display, root, 0, 0, 1, 1, 0, visualInfo->depth, InputOutput, visualInfo->visual,
                           CWColormap | CWBorderPixel, &attributes);
    XFree(visualInfo);
    glContext = glXCreateNewContext(display, config, GLX_RGBA_TYPE, nullptr, True);
    if (hidden == 0 || glContext == nullptr || !glXMakeContextCurrent(display, hidden, hidden, glContext))
    {
        error = "Can't create render context.";
        return false;
    }
    return true;
}

void SharedGlContextX11::destroyContext()
{
    if (glContext != nullptr)
    {
        glXMakeContextCurrent(display, None, None, nullptr);
        glXDestroyContext(display, glContext);
    }
    if (hidden != 0)
        XDestroyWindow(display, hidden);
    if (hiddenColormap != 0)
        XFreeColormap(display, hiddenColormap);
    glContext = nullptr;
    hidden = 0;
    hiddenColormap = 0;
}

void SharedGlContextX11::makeCurrentAlone()
{
    glXMakeContextCurrent(display, hidden, hidden, glContext);
}

}  // namespace platform
