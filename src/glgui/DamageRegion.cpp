#include "glgui/DamageRegion.h"

#include <cstdint>
#include <limits>

namespace
{

std::int64_t area(const ScreenRect& rect)
{
    return rect.empty() ? 0 : static_cast<std::int64_t>(rect.maxX - rect.minX) * (rect.maxY - rect.minY);
}

}  // namespace

void DamageRegion::add(const ScreenRect& part)
{
    if (part.empty())
        return;
    ScreenRect joined = part;
    // A joined part may reach parts the new one did not: look again until none overlaps.
    for (std::size_t i = 0; i < count;)
    {
        if (!parts[i].overlaps(joined))
        {
            ++i;
            continue;
        }
        joined.unite(parts[i]);
        parts[i] = parts[--count];
        i = 0;
    }
    parts[count++] = joined;
    if (count > kMaxParts)
        joinCheapestPair();
}

void DamageRegion::add(const DamageRegion& other)
{
    for (const ScreenRect& part : other)
        add(part);
}

ScreenRect DamageRegion::bounds() const
{
    ScreenRect all;
    for (const ScreenRect& part : *this)
        all.unite(part);
    return all;
}

void DamageRegion::joinCheapestPair()
{
    std::size_t first = 0;
    std::size_t second = 1;
    std::int64_t cheapest = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < count; ++i)
    {
        for (std::size_t j = i + 1; j < count; ++j)
        {
            ScreenRect both = parts[i];
            both.unite(parts[j]);
            const std::int64_t added = area(both) - area(parts[i]) - area(parts[j]);
            if (added < cheapest)
            {
                cheapest = added;
                first = i;
                second = j;
            }
        }
    }
    ScreenRect both = parts[first];
    both.unite(parts[second]);
    // Remove the higher index first, so the lower one still names its part.
    parts[second] = parts[--count];
    parts[first] = parts[--count];
    // The joined part may now overlap others.
    add(both);
}
