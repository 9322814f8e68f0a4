#pragma once

#include "glgui/ScreenRect.h"

struct Model3DS;

// Where on screen a box of the scene can land under the projection and viewport in force
// now: the bound of what a control may draw, so a frame knows what to draw again when the
// control changes. Matrices are column-major, as OpenGL keeps them.
class ReachProjector
{
public:
    // An axis-aligned box in model units.
    struct SceneBox
    {
        float low[3];
        float high[3];
    };

    // Reads the current projection matrix and viewport.
    ReachProjector();
    ReachProjector(const float projectionMatrix[16], const int viewportBox[4]);

    // The window rectangle covering the box [low, high] (model units) placed by modelView,
    // widened by a pixel or two for filtering and line widths. A box reaching behind the
    // eye covers the whole viewport.
    ScreenRect box(const float modelView[16], const SceneBox& box) const;

    static void translation(float x, float y, float z, float out[16]);
    static void identity(float out[16]) { translation(0.0f, 0.0f, 0.0f, out); }
    // out = a * b.
    static void multiply(const float a[16], const float b[16], float out[16]);
    // The smallest box holding every vertex of the model; an empty model gives an empty box.
    static SceneBox modelBounds(const Model3DS& model);
    // The box widened to hold every turn of it about the given axis (0 x, 1 y, 2 z)
    // through the origin.
    static SceneBox turned(int axis, SceneBox box);

private:
    float projection[16];
    int viewport[4];
};
