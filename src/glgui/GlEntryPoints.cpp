#include "glgui/GlEntryPoints.h"

#include "glgui/OpenGL.h"

bool initialiseGlEntryPoints()
{
    // Core-profile-only drivers list extensions differently; ask for everything by name.
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    // glewInit may leave a harmless error flag behind on some drivers. GL keeps one flag per
    // kind of error, so a few reads clear them all; a lost context may never answer
    // "no error", so the reads are counted.
    constexpr int kErrorKinds = 8;
    for (int read = 0; read < kErrorKinds && glGetError() != GL_NO_ERROR; ++read)
    {
    }
    // What the editor calls on every opening without asking: a driver without OpenGL 2.0's
    // programs cannot show it, and calling through a missing entry point would end the host.
    return result == GLEW_OK && glCreateProgram != nullptr && glCreateShader != nullptr && glUseProgram != nullptr &&
           glActiveTexture != nullptr;
}

void enableMultisampling()
{
    glEnable(GL_MULTISAMPLE);
}
