#pragma once

#include "glgui/ScreenRect.h"

#include <array>
#include <cstddef>

// The parts of the picture a frame must draw again: a few rectangles rather than one box
// round them all, so that two changes far apart do not make everything between them drawn.
// Parts never overlap: one that would is joined with it. Past kMaxParts, the two parts
// whose joining adds the least area are joined.
class DamageRegion
{
public:
    static constexpr std::size_t kMaxParts = 4;

    void add(const ScreenRect& part);
    void add(const DamageRegion& other);
    void clear() { count = 0; }
    bool empty() const { return count == 0; }
    std::size_t size() const { return count; }
    const ScreenRect* begin() const { return parts.data(); }
    const ScreenRect* end() const { return parts.data() + count; }
    // The smallest rectangle holding every part.
    ScreenRect bounds() const;

private:
    void joinCheapestPair();

    // One spare place: a part is added before the region is brought back within kMaxParts.
    std::array<ScreenRect, kMaxParts + 1> parts{};
    std::size_t count = 0;
};
