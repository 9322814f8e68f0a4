#pragma once

#include "glgui/Camera.h"

// The editor's two projections as column-major matrices, built in single precision with
// the fixed-function pipeline's own steps and order, so a matrix loaded into OpenGL is
// exactly the one glFrustum or glOrtho and the look-at turns would have built.
namespace camera_matrix
{

// The camera's view through a frustum of its field of view (near plane 1, far plane 8000)
// for a window of the given aspect (width / height).
void perspective(const Camera& camera, float aspect, float out[16]);
// The overlay view: one unit a pixel over a width x height window, origin at its centre,
// seen from far in front.
void orthographic(int width, int height, float out[16]);

}  // namespace camera_matrix
