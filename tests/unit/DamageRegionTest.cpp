// The damage region: the parts a frame draws again must cover everything marked, never
// overlap (a pixel drawn twice would be blended twice), and stay few.
#include "glgui/DamageRegion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{

bool coveredByOnePart(const DamageRegion& region, const ScreenRect& rect)
{
    for (const ScreenRect& part : region)
        if (part.covers(rect))
            return true;
    return false;
}

TEST(DamageRegion, ChangesFarApartStayApartAndOverlappingOnesJoin)
{
    DamageRegion region;
    EXPECT_TRUE(region.empty());
    region.add(ScreenRect{0, 0, 10, 10});
    region.add(ScreenRect{100, 100, 110, 110});
    ASSERT_EQ(region.size(), 2u) << "far apart, the space between is not drawn";

    region.add(ScreenRect{5, 5, 20, 20});
    ASSERT_EQ(region.size(), 2u);
    EXPECT_TRUE(coveredByOnePart(region, ScreenRect{0, 0, 20, 20}));

    // A long part over both joins all three into one.
    region.add(ScreenRect{8, 8, 105, 105});
    ASSERT_EQ(region.size(), 1u);
    EXPECT_EQ(region.bounds().minX, 0);
    EXPECT_EQ(region.bounds().maxX, 110);

    region.add(ScreenRect{50, 50, 50, 60});
    EXPECT_EQ(region.size(), 1u) << "an empty part adds nothing";
    region.clear();
    EXPECT_TRUE(region.empty());
}

TEST(DamageRegion, PastItsLimitTheClosestPartsJoin)
{
    DamageRegion region;
    // Four far apart corners, then one close to the first.
    region.add(ScreenRect{0, 0, 10, 10});
    region.add(ScreenRect{500, 0, 510, 10});
    region.add(ScreenRect{0, 500, 10, 510});
    region.add(ScreenRect{500, 500, 510, 510});
    region.add(ScreenRect{12, 0, 22, 10});
    ASSERT_EQ(region.size(), DamageRegion::kMaxParts);
    EXPECT_TRUE(coveredByOnePart(region, ScreenRect{0, 0, 22, 10}));
    EXPECT_TRUE(coveredByOnePart(region, ScreenRect{500, 500, 510, 510}));
}

TEST(DamageRegion, PartsCoverEverythingAddedAndNeverOverlap)
{
    std::uint32_t state = 7;
    const auto next = [&](int range)
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(range));
    };
    for (int trial = 0; trial < 200; ++trial)
    {
        DamageRegion region;
        std::vector<ScreenRect> added;
        const int count = 1 + next(12);
        for (int i = 0; i < count; ++i)
        {
            const int x = next(500);
            const int y = next(600);
            added.push_back(ScreenRect{x, y, x + 1 + next(80), y + 1 + next(80)});
            region.add(added.back());
        }
        ASSERT_LE(region.size(), DamageRegion::kMaxParts);
        for (const ScreenRect& rect : added)
            EXPECT_TRUE(coveredByOnePart(region, rect)) << "trial " << trial;
        for (const ScreenRect* a = region.begin(); a != region.end(); ++a)
            for (const ScreenRect* b = a + 1; b != region.end(); ++b)
                EXPECT_FALSE(a->overlaps(*b)) << "trial " << trial;
    }
}

}  // namespace
