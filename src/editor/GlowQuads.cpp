#include "editor/GlowQuads.h"

#include <cmath>

void GlowQuads::corner(float x, float y, float shapeX, float shapeY, float core, const Colour& colour)
{
    positions.push_back(place.left + x * place.unitsToDeviceX);
    positions.push_back(place.bottom + y * place.unitsToDeviceY);
    shapes.insert(shapes.end(), {shapeX, shapeY, core});
    colours.insert(colours.end(), {colour.red, colour.green, colour.blue, colour.alpha});
}

void GlowQuads::dot(float x, float y, float radius, const Colour& colour, float core)
{
    corner(x - radius, y - radius, -1.0f, -1.0f, core, colour);
    corner(x + radius, y - radius, 1.0f, -1.0f, core, colour);
    corner(x + radius, y + radius, 1.0f, 1.0f, core, colour);
    corner(x - radius, y + radius, -1.0f, 1.0f, core, colour);
}

void GlowQuads::line(float x0, float y0, float x1, float y1, float width, const Colour& colour, float core)
{
    // Not std::hypot: hypotf is newer than the glibc the modules may need.
    const float length = std::sqrt((x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0));
    if (!(length > 0.0f))
    {
        dot(x0, y0, width / 2.0f, colour, core);
        return;
    }
    const float half = width / 2.0f;
    // Along and across the stroke, half a width long.
    const float alongX = (x1 - x0) / length * half;
    const float alongY = (y1 - y0) / length * half;
    const float acrossX = -alongY;
    const float acrossY = alongX;
    corner(x0 - alongX - acrossX, y0 - alongY - acrossY, 0.0f, -1.0f, core, colour);
    corner(x1 + alongX - acrossX, y1 + alongY - acrossY, 0.0f, -1.0f, core, colour);
    corner(x1 + alongX + acrossX, y1 + alongY + acrossY, 0.0f, 1.0f, core, colour);
    corner(x0 - alongX + acrossX, y0 - alongY + acrossY, 0.0f, 1.0f, core, colour);
}

void GlowQuads::fill(float left, float bottom, float right, float top, const Colour& colour)
{
    corner(left, bottom, 0.0f, 0.0f, 1.0f, colour);
    corner(right, bottom, 0.0f, 0.0f, 1.0f, colour);
    corner(right, top, 0.0f, 0.0f, 1.0f, colour);
    corner(left, top, 0.0f, 0.0f, 1.0f, colour);
}

void GlowQuads::triangle(const float a[2], const float b[2], const float c[2], const Colour& colour)
{
    corner(a[0], a[1], 0.0f, 0.0f, 1.0f, colour);
    corner(b[0], b[1], 0.0f, 0.0f, 1.0f, colour);
    corner(c[0], c[1], 0.0f, 0.0f, 1.0f, colour);
    corner(c[0], c[1], 0.0f, 0.0f, 1.0f, colour);
}

void GlowQuads::clear()
{
    positions.clear();
    shapes.clear();
    colours.clear();
}
