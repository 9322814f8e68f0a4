#include "editor/CorrelationHold.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{

// Frames 20 ms apart from `start`, the correlation rising from `from` by `step` a frame.
void showFrames(CorrelationHold& hold, std::uint32_t start, int frames, float from, float step)
{
    for (int i = 0; i < frames; ++i)
        hold.take(from + step * static_cast<float>(i), start + 20u * static_cast<std::uint32_t>(i));
}

}  // namespace

TEST(CorrelationHold, TheLowestValueStaysTwoSecondsThenGivesWayToTheCurrentOne)
{
    CorrelationHold hold;
    EXPECT_EQ(hold.lowest(), 1.0f);
    EXPECT_FALSE(hold.warns());
    showFrames(hold, 1000, 99, -0.5f, 0.01f);  // up to 1980 ms after the dip
    EXPECT_EQ(hold.lowest(), -0.5f);
    EXPECT_TRUE(hold.warns());
    hold.take(0.7f, 3000);
    EXPECT_EQ(hold.lowest(), 0.7f);
    EXPECT_FALSE(hold.warns());
    // A new dip takes the mark at once, and holds from its own moment.
    hold.take(0.2f, 3020);
    hold.take(0.9f, 5000);
    EXPECT_EQ(hold.lowest(), 0.2f);
}

TEST(CorrelationHold, HoldsAcrossTheTickCountsWrapAndClears)
{
    CorrelationHold hold;
    const std::uint32_t nearWrap = 0xFFFFFFFFu - 500u;
    hold.take(-0.3f, nearWrap);
    hold.take(0.5f, nearWrap + 1000u);  // wrapped, one second later
    EXPECT_EQ(hold.lowest(), -0.3f);
    hold.take(0.5f, nearWrap + 2000u);
    EXPECT_EQ(hold.lowest(), 0.5f);
    hold.clear();
    EXPECT_EQ(hold.lowest(), 1.0f);
}
