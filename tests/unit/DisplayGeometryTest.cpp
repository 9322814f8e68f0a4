#include "editor/DeviceQuad.h"
#include "editor/EqualiserGuides.h"

#include <gtest/gtest.h>

TEST(DisplayGeometry, BoxesBecomeDeviceQuadsOfTheEditor)
{
    const DeviceQuad quad = DeviceQuad::fromBox(-160.0f, 80.0f, 320.0f, 16.0f, 512, 624);
    EXPECT_FLOAT_EQ(quad.corners[0][0], -0.625f);
    EXPECT_FLOAT_EQ(quad.corners[0][1], 80.0f / 312.0f);
    EXPECT_FLOAT_EQ(quad.corners[1][0], 0.625f);
    EXPECT_FLOAT_EQ(quad.corners[1][1], 80.0f / 312.0f);
    EXPECT_FLOAT_EQ(quad.corners[2][0], -0.625f);
    EXPECT_FLOAT_EQ(quad.corners[3][1], 96.0f / 312.0f);
    EXPECT_NEAR(quad.corners[3][1], 0.3077f, 1e-4f);
}

TEST(DisplayGeometry, GuideLinesSpreadWithASmallRangeAndStayInsideTheBox)
{
    const float half = 0.15f;
    const EqualiserGuides smallest = EqualiserGuides::forRange(2.0f, half);
    ASSERT_EQ(smallest.count, 1);
    EXPECT_FLOAT_EQ(smallest.offsets[0], half);  // at the top and bottom edges

    const EqualiserGuides largest = EqualiserGuides::forRange(24.0f, half);
    ASSERT_EQ(largest.count, 7);
    EXPECT_NEAR(largest.offsets[0], half * 2.0f / 24.0f, 1e-7f);
    EXPECT_NEAR(largest.offsets[6], half, 1e-6f);

    const EqualiserGuides middle = EqualiserGuides::forRange(12.0f, half);
    ASSERT_EQ(middle.count, 3);  // 2, 5.67 and 9.33 dB fit in 12
    for (int i = 1; i < middle.count; ++i)
        EXPECT_GT(middle.offsets[i], middle.offsets[i - 1]);
}
