#pragma once

#include <cstdint>
#include <vector>

// How often each (side, mid) point of a signal occurred, on a fixed grid of kCells x kCells
// over -range..+range on both axes. A file streams past once, so the range cannot be fixed
// from its peak in advance: it starts small and doubles whenever a point falls outside,
// merging each 2 x 2 cells into one, so it always ends at the smallest power of two that
// holds every point (the peak at most 6 dB inside the edge).
class GoniometerDensity
{
public:
    static constexpr int kCells = 256;

    GoniometerDensity();

    // Counts every pair, rotated as the Scope draws it; non-finite pairs are left out.
    void add(const float* left, const float* right, std::size_t frames);

    // The same counts on the wider grid of newRange (a power-of-two multiple of range()).
    GoniometerDensity widenedTo(float newRange) const;

    float range() const { return halfWidth; }
    // Row 0 is the lowest mid, column 0 the most negative side.
    std::uint64_t count(int column, int row) const { return cells[index(column, row)]; }
    std::uint64_t largestCount() const;

private:
    static std::size_t index(int column, int row) { return static_cast<std::size_t>(row) * kCells + column; }
    int cellOf(float value) const;
    void doubleRange();

    float halfWidth;
    std::vector<std::uint64_t> cells;
};
