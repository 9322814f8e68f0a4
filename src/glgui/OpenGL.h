#pragma once

// The one way editor code reaches OpenGL: GLEW's declarations (which must come before
// any other GL header) with the entry points it resolves once a context is current.
#include <GL/glew.h>
