#pragma once

#include <vector>

// Quads for the glow program: corners in normalised device coordinates, one colour each, and
// where each corner lies across the shape (-1..1 both ways): the program lights a bright core
// and a soft halo round the shape's middle. A zero shape fills flat. Each quad is four
// corners in GL_QUADS order.
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

    // A round glow of `radius` units at (x, y).
    void dot(float x, float y, float radius, const Colour& colour);
    // A glowing stroke `width` units wide from (x0, y0) to (x1, y1), its ends reaching half
    // the width further so strokes that meet join.
    void line(float x0, float y0, float x1, float y1, float width, const Colour& colour);
    // A flat rectangle.
    void fill(float left, float bottom, float right, float top, const Colour& colour);
    // A flat triangle (its fourth corner repeats the third).
    void triangle(const float a[2], const float b[2], const float c[2], const Colour& colour);

    void clear();
    int quadCount() const { return static_cast<int>(positions.size() / 8); }
    const float* positionData() const { return positions.data(); }
    const float* shapeData() const { return shapes.data(); }
    const float* colourData() const { return colours.data(); }

private:
    void corner(float x, float y, float shapeX, float shapeY, const Colour& colour);

    Frame place;
    std::vector<float> positions;
    std::vector<float> shapes;
    std::vector<float> colours;
};
