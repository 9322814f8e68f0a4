#pragma once

#include "glgui/Camera.h"
#include "glgui/ScreenRect.h"

struct Model3DS;

// The editor's one perspective projection: the matrix OpenGL draws the scene with, and
// where on screen any box of the scene lands under it (a control's hit rectangle, the
// bound of what it may draw, a value text's anchor). Matrices are column-major, as OpenGL
// keeps them; screen positions are window pixels, y upwards from the bottom row.
class ReachProjector
{
public:
    // An axis-aligned box in model units.
    struct SceneBox
    {
        float low[3];
        float high[3];
    };

    // The camera's view of a window of width x height pixels: a frustum of the camera's
    // field of view (near plane 1, far plane 8000) looking from the eye at the target. The
    // matrix is built in single precision the way OpenGL builds one from the same calls.
    ReachProjector(const Camera& camera, int width, int height);
    ReachProjector(const float projectionMatrix[16], const int viewportBox[4]);

    const float* matrix() const { return projection; }
    const int* viewportBox() const { return viewport; }

    // The window rectangle covering the box [low, high] (model units) placed by modelView,
    // widened by a pixel or two for filtering and line widths. A box reaching behind the
    // eye covers the whole viewport.
    ScreenRect box(const float modelView[16], const SceneBox& box) const;
    // Where the corners of a box of the scene (identity model-view) land, cut to whole
    // pixels: the place a control takes the pointer. Corners behind the eye are left out.
    ScreenRect corners(const SceneBox& box) const;
    // Where a point of the scene lands; false outside the viewport.
    bool toWindow(const float point[3], float& windowX, float& windowY) const;

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
    // Clip coordinates of a scene point under the projection alone.
    void clip(const float point[3], float out[4]) const;

    float projection[16];
    int viewport[4];
};
