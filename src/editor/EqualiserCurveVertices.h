#pragma once

#include "engine/EqualiserCurve.h"

// The drawn equaliser curve: the engine's Catmull-Rom spline through the sorted points,
// sampled every 0.0075 along x, mapped into a rectangle (normalised device coordinates).
class EqualiserCurveVertices
{
public:
    static constexpr int kMaxVertices = 200;

    struct Rectangle
    {
        float left;
        float bottom;
        float width;
        float height;
    };

    // Fewer than two points leave the vertices as they were; answers whether it rebuilt.
    // Points are expected inside the unit square; none can make the rebuild take longer
    // than kMaxVertices steps.
    bool rebuild(const EqPointList& sortedPoints, const Rectangle& area);

    int size() const { return count; }
    // x, y pairs.
    const float* data() const { return vertices; }

private:
    void append(float x, float y);

    float vertices[2 * kMaxVertices] = {};
    int count = 0;
};
