#include "controls/cActiveFlashButton.h"
#include "glgui/ScreenRect.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ControlRules, TheActiveLampFlashesFourSingleFramesInEvery64)
{
    std::vector<int> flashing;
    for (int frame = 0; frame < 140; ++frame)
    {
        if (cActiveFlashButton::flashesOnFrame(frame))
            flashing.push_back(frame);
    }
    EXPECT_EQ(flashing, (std::vector<int>{1, 3, 5, 7, 65, 67, 69, 71, 129, 131, 133, 135}));
}

TEST(ControlRules, APressOnARectangleEdgeHitsNothing)
{
    const ScreenRect rect{10, 20, 30, 40};
    EXPECT_FALSE(rect.contains(10, 30));
    EXPECT_FALSE(rect.contains(30, 30));
    EXPECT_FALSE(rect.contains(20, 20));
    EXPECT_FALSE(rect.contains(20, 40));
    EXPECT_TRUE(rect.contains(11, 21));
    EXPECT_TRUE(rect.contains(29, 39));
}
