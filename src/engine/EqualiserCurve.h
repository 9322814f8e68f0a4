#pragma once

#include "params/ParameterTable.h"

#include <cstdint>

struct EqPoint
{
    float x;
    float y;
    std::uint8_t spare;
};

// The drawn curve's points, sorted by x. Fixed capacity, so rebuilding the curve on the
// audio thread never allocates.
class EqPointList
{
public:
    void clear() { count = 0; }
    // Ignored once the list is full.
    void append(float x, float y);
    // Stable: a point moves before another only when its x is strictly smaller.
    void sortByX();
    int size() const { return count; }
    const EqPoint& operator[](int i) const { return points[i]; }

private:
    EqPoint points[kMaxEqPoints] = {};
    int count = 0;
};

// Catmull-Rom value of segment k (from point k-1 to point k) at t in 0..1, clamped to 0..1.
float catmullRom(const EqPointList& points, int k, float t);

// Fills `equaliser` (halfSize gains along the curve axis) from the points; eqRange in dB.
// Fewer than two points leave the table as it was; positions past the curve's end take
// the last gain the curve wrote.
void buildEqualiserTable(const EqPointList& points, float eqRange, float* equaliser, int halfSize);

// Each bin's position on the curve axis: 40 Hz at 0 up to 20040 Hz at halfSize-1, on a
// fourth-power frequency scale.
void buildEqPowerTable(float binHz, float* eqPowerTable, int halfSize);

// The equaliser gain for one analysis bin.
inline float equaliserGainAtBin(const float* eqPowerTable, const float* equaliser, int halfSize, int bin)
{
    const float position = eqPowerTable[bin];
    const int index = static_cast<int>(position);
    const float fraction = position - static_cast<float>(index);
    const int next = index + 1 < halfSize ? index + 1 : halfSize - 1;
    return (1.0f - fraction) * equaliser[index] + fraction * equaliser[next];
}
