#include "glgui/GlEntryPoints.h"

#include "glgui/OpenGL.h"

bool initialiseGlEntryPoints()
{
    // Core-profile-only drivers list extensions differently; ask for everything by name.
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    // glewInit may leave a harmless error flag behind on some drivers.
    while (glGetError() != GL_NO_ERROR)
    {
    }
    return result == GLEW_OK;
}

void enableMultisampling()
{
    glEnable(GL_MULTISAMPLE);
}
