#pragma once

#include "window/SharedGlContext.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace platform
{

// The X11 form: a connection of its own, which outlives every editor's connection and
// window, a frame buffer configuration every editor's window is made with (so the context
// may draw into any of them), the context, and a hidden window to make it current on alone.
class SharedGlContextX11 final : public SharedGlContext
{
public:
    SharedGlContextX11() = default;
    ~SharedGlContextX11() override;
    SharedGlContextX11(const SharedGlContextX11&) = delete;
    SharedGlContextX11& operator=(const SharedGlContextX11&) = delete;

    bool open(int& sampleCount, std::string& error);
    void makeCurrentAlone() override;

    Display* connection() const { return display; }
    GLXContext context() const { return glContext; }
    // The visual windows for this context are made with.
    VisualID visualId() const { return visual; }
    int sampleCount() const { return samples; }

private:
    // Context and hidden window for the configuration with sampleCount samples (0: none).
    bool makeContext(int& sampleCount, std::string& error);
    void destroyContext();

    Display* display = nullptr;
    GLXContext glContext = nullptr;
    Window hidden = 0;
    Colormap hiddenColormap = 0;
    VisualID visual = 0;
    int samples = 0;
};

}  // namespace platform
