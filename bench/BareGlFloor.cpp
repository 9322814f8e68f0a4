#include "BareGlFloor.h"

#if defined(_WIN32)
// Before GL/gl.h, which needs its declarations.
#include <windows.h>
#endif
#include <GL/gl.h>

void drawBareTriangle()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
}
