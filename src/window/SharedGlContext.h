#pragma once

#include <memory>
#include <string>

namespace platform
{

// The process's OpenGL context: made by the first editor that opens, kept while any editor of
// the process exists (open or closed) and shared by all of them, so what a context costs to
// make and to fill (compiled programs, a software renderer's generated code, uploaded
// textures) is paid once per process. On X11 every editor draws with it; on Windows every
// editor drawing offscreen draws with one context of the process, and one drawing into its
// window (the fallback) with its own that shares the process's objects. The last holder going
// destroys it with everything in it.
// Everything runs on the host's GUI thread.
class SharedGlContext
{
public:
    // The process's context, made now when no editor holds one. Null where the driver cannot
    // share objects between contexts (Windows; then each window keeps its own), or, with a
    // user-facing reason in `error`, when none could be made. sampleCount is the multisample count wanted; it comes back as the
    // context has it: 0 when the driver has none or draws on the CPU, where multisampling
    // costs more than the rest of a frame.
    static std::shared_ptr<SharedGlContext> acquire(int& sampleCount, std::string& error);
    virtual ~SharedGlContext() = default;

    // Makes the context current on a hidden drawable of its own: for work on its objects
    // while no editor's window is there (deleting a closed editor's objects).
    virtual void makeCurrentAlone() = 0;
};

}  // namespace platform
