#pragma once

// A control's area in window pixels, y upwards from the bottom row, for hit testing.
struct ScreenRect
{
    int minX = 0;
    int minY = 0;
    int maxX = 0;
    int maxY = 0;

    // Strictly inside: a point on the edge hits nothing.
    bool contains(int x, int y) const { return minX < x && x < maxX && minY < y && y < maxY; }
};
