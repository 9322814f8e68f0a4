#include "window/GlRenderer.h"

#if defined(_WIN32)
#include <windows.h>
#endif
#include <GL/gl.h>

#include <string_view>

namespace platform
{

bool rendererDrawsOnCpu()
{
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (renderer == nullptr)
        return false;
    const std::string_view name(renderer);
    for (const std::string_view software : {"llvmpipe", "softpipe", "Software Rasterizer", "GDI Generic"})
    {
        if (name.find(software) != std::string_view::npos)
            return true;
    }
    return false;
}

}  // namespace platform
