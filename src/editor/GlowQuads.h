#pragma once

#include <vector>

// Quads for the glow program: corners in normalised device coordinates, one colour each,
// where each corner lies across the shape (-1..1 both ways) and how far out the shape's bright
// core reaches (0..1): the program lights the core and a soft halo beyond it. A zero shape
// fills flat. Each quad is four corners in GL_QUADS order.
class GlowQuads
{
public:
    struct Colour
    {
        float red;
        float green;
        float blue;
        float alpha;
    };

    // Maps design units inside a box to device coordinates: (0, 0) is the box's bottom-left.
    struct Frame
    {
        float left;
        float bottom;
        float unitsToDeviceX;
        float unitsToDeviceY;
    };

    explicit GlowQuads(const Frame& frame) : place(frame) {}

    // Dots are mostly halo; strokes mostly core, so thin ones stay sharp.
    static constexpr float kDotCore = 0.35f;
    static constexpr float kStrokeCore = 0.85f;

    // A round glow of `radius` units at (x, y).
    void dot(float x, float y, float radius, const Colour& colour, float core = kDotCore);
    // A glowing stroke `width` units wide from (x0, y0) to (x1, y1), its ends reaching half
    // the width further so strokes that meet join.
    void line(float x0, float y0, float x1, float y1, float width, const Colour& colour, float core = kStrokeCore);
    // A flat rectangle.
    void fill(float left, float bottom, float right, float top, const Colour& colour);
    // A flat triangle (its fourth corner repeats the third).
    void triangle(const float a[2], const float b[2], const float c[2], const Colour& colour);

    void clear();
    int quadCount() const { return static_cast<int>(positions.size() / 8); }
    const float* positionData() const { return positions.data(); }
    // Three floats a corner: shape x, shape y, core.
    const float* shapeData() const { return shapes.data(); }
    const float* colourData() const { return colours.data(); }

private:
    void corner(float x, float y, float shapeX, float shapeY, float core, const Colour& colour);

    Frame place;
    std::vector<float> positions;
    std::vector<float> shapes;
    std::vector<float> colours;
};
