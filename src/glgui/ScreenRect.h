#pragma once

#include <algorithm>

// An area in window pixels, y upwards from the bottom row: a control's place for hit testing,
// or the part of a frame that must be drawn again.
struct ScreenRect
{
    int minX = 0;
    int minY = 0;
    int maxX = 0;
    int maxY = 0;

    // Strictly inside: a point on the edge hits nothing.
    bool contains(int x, int y) const { return minX < x && x < maxX && minY < y && y < maxY; }
    bool empty() const { return maxX <= minX || maxY <= minY; }
    bool covers(const ScreenRect& other) const
    {
        return other.empty() || (minX <= other.minX && minY <= other.minY && other.maxX <= maxX && other.maxY <= maxY);
    }

    bool overlaps(const ScreenRect& other) const
    {
        return !empty() && !other.empty() && minX < other.maxX && other.minX < maxX && minY < other.maxY &&
               other.minY < maxY;
    }

    // Grows to the smallest rectangle holding both; an empty one adds nothing.
    void unite(const ScreenRect& other)
    {
        if (other.empty())
            return;
        if (empty())
        {
            *this = other;
            return;
        }
        minX = std::min(minX, other.minX);
        minY = std::min(minY, other.minY);
        maxX = std::max(maxX, other.maxX);
        maxY = std::max(maxY, other.maxY);
    }

    ScreenRect grownBy(int pixels) const
    {
        return empty() ? *this : ScreenRect{minX - pixels, minY - pixels, maxX + pixels, maxY + pixels};
    }
};
