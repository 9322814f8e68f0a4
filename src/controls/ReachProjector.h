#pragma once

#include "glgui/ScreenRect.h"

struct Model3DS;

// Where on screen a box of the scene can land under the projection and viewport in force
// now: the bound of what a control may draw, so a frame knows what to draw again when the
// control changes. Matrices are column-major, as OpenGL keeps them.
class ReachProjector
{
public:
    // Reads the current projection matrix and viewport.
    ReachProjector();

    // The window rectangle covering the box [low, high] (model units) placed by modelView,
    // widened by a pixel or two for filtering and line widths. A box reaching behind the
    // eye covers the whole viewport.
    ScreenRect box(const float modelView[16], const float low[3], const float high[3]) const;

    static void translation(float x, float y, float z, float out[16]);
    // out = a * b.
    static void multiply(const float a[16], const float b[16], float out[16]);
    // The smallest box holding every vertex of the model; an empty model gives an empty box.
    static void modelBounds(const Model3DS& model, float low[3], float high[3]);
    // Widens a box so it holds every turn of it about the given axis (0 x, 1 y, 2 z)
    // through the origin.
    static void turnedBounds(int axis, float low[3], float high[3]);

private:
    float projection[16];
    int viewport[4];
};
