#include "editor/EqualiserCurveVertices.h"

namespace
{

constexpr float kStep = 0.0075f;
constexpr float kSlack = 1e-7f;

}  // namespace

void EqualiserCurveVertices::append(float x, float y)
{
    if (count == kMaxVertices)
        return;
    vertices[2 * count] = x;
    vertices[2 * count + 1] = y;
    ++count;
}

bool EqualiserCurveVertices::rebuild(const EqPointList& sortedPoints, const Rectangle& area)
{
    const int points = sortedPoints.size();
    if (points < 2)
        return false;
    count = 0;
    float a = sortedPoints[0].x;
    for (int i = 1; i < points; ++i)
    {
        const float b = sortedPoints[i].x;
        // Each segment restarts at its own left point, as the engine's table does. The
        // vertex store bounds the walk, whatever the points hold.
        for (float c = a; c < b + kSlack && count < kMaxVertices; c += kStep)
            append(area.left + c * area.width,
                   area.bottom + catmullRom(sortedPoints, i, (c - a) / (b - a + kSlack)) * area.height);
        a = b;
    }
    append(area.left + a * area.width, area.bottom + catmullRom(sortedPoints, points - 1, 1.0f) * area.height);
    return true;
}
