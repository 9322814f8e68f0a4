#include "GoniometerDensity.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr float kInverseSquareRootTwo = 0.70710678f;
// About -96 dBFS: quieter signals sit in the middle cells, which is what they are.
constexpr float kSmallestRange = 1.0f / 65536.0f;

}  // namespace

GoniometerDensity::GoniometerDensity() : halfWidth(kSmallestRange), cells(static_cast<std::size_t>(kCells) * kCells, 0)
{
}

int GoniometerDensity::cellOf(float value) const
{
    const int cell = static_cast<int>((value / halfWidth + 1.0f) * (kCells / 2));
    return std::clamp(cell, 0, kCells - 1);
}

// Cells 2k and 2k + 1 of the old grid make cell kCells / 4 + k of the new one, on both axes.
void GoniometerDensity::doubleRange()
{
    std::vector<std::uint64_t> merged(cells.size(), 0);
    for (int row = 0; row < kCells; ++row)
        for (int column = 0; column < kCells; ++column)
            merged[index(kCells / 4 + column / 2, kCells / 4 + row / 2)] += cells[index(column, row)];
    cells.swap(merged);
    halfWidth *= 2.0f;
}

void GoniometerDensity::add(const float* left, const float* right, std::size_t frames)
{
    for (std::size_t i = 0; i < frames; ++i)
    {
        const float side = (right[i] - left[i]) * kInverseSquareRootTwo;
        const float mid = (left[i] + right[i]) * kInverseSquareRootTwo;
        if (!std::isfinite(side) || !std::isfinite(mid))
            continue;
        while (std::max(std::fabs(side), std::fabs(mid)) >= halfWidth)
            doubleRange();
        ++cells[index(cellOf(side), cellOf(mid))];
    }
}

GoniometerDensity GoniometerDensity::widenedTo(float newRange) const
{
    GoniometerDensity wider = *this;
    while (wider.halfWidth < newRange)
        wider.doubleRange();
    return wider;
}

std::uint64_t GoniometerDensity::largestCount() const
{
    return *std::max_element(cells.begin(), cells.end());
}
