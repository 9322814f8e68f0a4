// The mipmap levels the editor makes for its 8-bit colour textures.
#include "glgui/MipmapLevels.h"

#include <gtest/gtest.h>

TEST(MipmapLevels, EachPixelIsTheRoundedMeanOfItsBlockAndOddEdgesAreLeftOut)
{
    // 4 x 2 RGBA: two blocks; the second block's channels sum to 2, 4, 6 and 1020.
    const std::uint8_t image[] = {0, 0, 0, 0, 10, 20, 30, 40, 0, 1, 1, 255, 0, 1, 2, 255,  //
                                  0, 0, 0, 0, 10, 20, 30, 40, 1, 1, 2, 255, 1, 1, 1, 255};
    EXPECT_EQ(halvedLevel(image, 4, 2, 4), (std::vector<std::uint8_t>{5, 10, 15, 20, 1, 1, 2, 255}));

    // 3 x 3 RGB: one block of the top-left 2 x 2; the last row and column play no part.
    const std::uint8_t odd[] = {4,   4,   4,   8,   8,   8,   255, 255, 255,  //
                                4,   4,   4,   8,   8,   8,   255, 255, 255,  //
                                255, 255, 255, 255, 255, 255, 255, 255, 255};
    EXPECT_EQ(halvedLevel(odd, 3, 3, 3), (std::vector<std::uint8_t>{6, 6, 6}));

    // A side of one pixel stays one pixel: 1 x 4 halves to 1 x 2 down that side alone.
    const std::uint8_t column[] = {0, 2, 100, 200};
    EXPECT_EQ(halvedLevel(column, 1, 4, 1), (std::vector<std::uint8_t>{1, 150}));
}
