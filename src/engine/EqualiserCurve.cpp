#include "engine/EqualiserCurve.h"

#include "params/ParameterTable.h"

#include <algorithm>
#include <cmath>

void EqPointList::append(float x, float y)
{
    if (count == kMaxEqPoints)
        return;
    points[count++] = EqPoint{x, y, 0};
}

// Insertion sort: stable, and unlike std::stable_sort it never asks the heap for a buffer.
void EqPointList::sortByX()
{
    for (int i = 1; i < count; ++i)
    {
        const EqPoint moving = points[i];
        int j = i;
        while (j > 0 && moving.x < points[j - 1].x)
        {
            points[j] = points[j - 1];
            --j;
        }
        points[j] = moving;
    }
}

float catmullRom(const EqPointList& points, int k, float t)
{
    const int last = points.size() - 1;
    const auto yAt = [&](int i) { return points[std::clamp(i, 0, last)].y; };
    const float p0 = yAt(k - 2);
    const float p1 = yAt(k - 1);
    const float p2 = yAt(k);
    const float p3 = yAt(k + 1);
    const float y = p1 + t * (0.5f * p2 - 0.5f * p0) + t * t * (p0 - 2.5f * p1 + 2.0f * p2 - 0.5f * p3) +
                    t * t * t * (1.5f * p1 - 0.5f * p0 - 1.5f * p2 + 0.5f * p3);
    return std::clamp(y, 0.0f, 1.0f);
}

void buildEqualiserTable(const EqPointList& points, float eqRange, float* equaliser, int halfSize)
{
    const float step = 1.0f / static_cast<float>(halfSize);
    int j = 0;
    // Segments restart at their own x0 while the table index runs on continuously.
    for (int k = 1; k < points.size(); ++k)
    {
        const float x0 = points[k - 1].x;
        const float x1 = points[k].x;
        const float segmentWidth = x1 - x0 + 1e-7f;
        for (float pos = x0; pos < x1 + 1e-7f && j != halfSize; pos += step)
        {
            const float t = (pos - x0) / segmentWidth;
            const float y = catmullRom(points, k, t);
            equaliser[j++] = std::pow(10.0f, (y - 0.5f) * eqRange * 0.1f);
        }
    }
    if (j > 0)
        std::fill(equaliser + j, equaliser + halfSize, equaliser[j - 1]);
}

void buildEqPowerTable(float binHz, float* eqPowerTable, int halfSize)
{
    const float lowestBin = 40.0f / binHz;
    const float binsToAxis = binHz / 20000.0f;
    const float lastPosition = static_cast<float>(halfSize - 1);
    for (int bin = 0; bin < halfSize; ++bin)
    {
        // At absurdly low rates lowestBin is infinite and the product NaN: it counts as 0.
        const float unclamped = (static_cast<float>(bin) - lowestBin) * binsToAxis;
        const float h = unclamped > 0.0f ? std::min(unclamped, 1.0f) : 0.0f;
        eqPowerTable[bin] = std::pow(h, 0.25f) * lastPosition;
    }
}
