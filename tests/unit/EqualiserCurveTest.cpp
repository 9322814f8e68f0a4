#include "engine/EqualiserCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{

constexpr int kHalf = 1024;

EqPointList pointsOf(std::initializer_list<std::pair<float, float>> points)
{
    EqPointList list;
    for (const auto& [x, y] : points)
        list.append(x, y);
    list.sortByX();
    return list;
}

}  // namespace

TEST(EqualiserCurve, FlatPointsGiveExactlyUnityEverywhere)
{
    std::vector<float> table(kHalf, 0.0f);
    buildEqualiserTable(pointsOf({{0.0f, 0.5f}, {0.3f, 0.5f}, {1.0f, 0.5f}}), 24.0f, table.data(), kHalf);
    for (float gain : table)
        ASSERT_EQ(gain, 1.0f);
}

TEST(EqualiserCurve, CurveValueMapsToDecibelsOfTheRange)
{
    std::vector<float> table(kHalf, 0.0f);
    buildEqualiserTable(pointsOf({{0.0f, 1.0f}, {1.0f, 1.0f}}), 24.0f, table.data(), kHalf);
    EXPECT_NEAR(table[0], std::pow(10.0f, 1.2f), 1e-4f);
    EXPECT_NEAR(table[kHalf - 1], std::pow(10.0f, 1.2f), 1e-4f);
    buildEqualiserTable(pointsOf({{0.0f, 0.0f}, {1.0f, 0.0f}}), 2.0f, table.data(), kHalf);
    EXPECT_NEAR(table[kHalf / 2], std::pow(10.0f, -0.1f), 1e-6f);
}

TEST(EqualiserCurve, PointsAreUsedInAscendingXAndEqualXKeepTheirOrder)
{
    EqPointList list;
    list.append(0.8f, 0.1f);
    list.append(0.2f, 0.2f);
    list.append(0.5f, 0.3f);
    list.append(0.2f, 0.4f);
    list.sortByX();
    ASSERT_EQ(list.size(), 4);
    EXPECT_EQ(list[0].y, 0.2f);
    EXPECT_EQ(list[1].y, 0.4f);
    EXPECT_EQ(list[2].y, 0.3f);
    EXPECT_EQ(list[3].y, 0.1f);
}

TEST(EqualiserCurve, ListHoldsAtMostSixteenPoints)
{
    EqPointList list;
    for (int i = 0; i < 24; ++i)
        list.append(static_cast<float>(i) / 24.0f, 0.5f);
    EXPECT_EQ(list.size(), 16);
}

TEST(EqualiserCurve, SplinePassesThroughItsPointsAndStaysInRange)
{
    const EqPointList list = pointsOf({{0.0f, 0.2f}, {0.4f, 0.9f}, {0.6f, 0.1f}, {1.0f, 0.8f}});
    EXPECT_FLOAT_EQ(catmullRom(list, 1, 0.0f), 0.2f);
    EXPECT_FLOAT_EQ(catmullRom(list, 2, 0.0f), 0.9f);
    EXPECT_NEAR(catmullRom(list, 2, 1.0f), 0.1f, 1e-6f);
    const EqPointList steep = pointsOf({{0.0f, 0.0f}, {0.1f, 1.0f}, {0.2f, 0.0f}, {0.3f, 1.0f}});
    for (float t = 0.0f; t <= 1.0f; t += 0.05f)
    {
        const float y = catmullRom(steep, 2, t);
        EXPECT_GE(y, 0.0f);
        EXPECT_LE(y, 1.0f);
    }
}

TEST(EqualiserCurve, FewerThanTwoPointsLeaveTheTableAlone)
{
    std::vector<float> table(kHalf, 3.0f);
    buildEqualiserTable(pointsOf({{0.5f, 1.0f}}), 24.0f, table.data(), kHalf);
    buildEqualiserTable(EqPointList{}, 24.0f, table.data(), kHalf);
    for (float gain : table)
        ASSERT_EQ(gain, 3.0f);
}

TEST(EqualiserCurve, ACurveThatEndsEarlyHoldsItsLastGain)
{
    std::vector<float> table(kHalf, 0.0f);
    buildEqualiserTable(pointsOf({{0.0f, 0.5f}, {0.5f, 1.0f}}), 10.0f, table.data(), kHalf);
    const float last = table[kHalf / 2];
    EXPECT_NEAR(last, std::sqrt(10.0f), 1e-3f);
    for (int i = kHalf / 2 + 2; i < kHalf; ++i)
        ASSERT_EQ(table[i], last) << i;
}

TEST(EqualiserCurve, BinPositionsRunFrom40HzTo20040HzOnAFourthPowerAxis)
{
    const float binHz = 44100.0f / 2048.0f;
    std::vector<float> positions(kHalf);
    buildEqPowerTable(binHz, positions.data(), kHalf);
    EXPECT_EQ(positions[0], 0.0f);
    EXPECT_EQ(positions[1], 0.0f) << "21.5 Hz is below the axis";
    EXPECT_EQ(positions[kHalf - 1], static_cast<float>(kHalf - 1)) << "22 kHz is beyond it";
    // 40 + 20000 x^4 = 1290 Hz at x = 0.5.
    const int bin = static_cast<int>(std::lround(1290.0f / binHz));
    EXPECT_NEAR(positions[bin] / (kHalf - 1), 0.5f, 0.01f);
    for (int i = 1; i < kHalf; ++i)
        ASSERT_GE(positions[i], positions[i - 1]);
}

TEST(EqualiserCurve, BinGainInterpolatesBetweenTableNeighbours)
{
    const float table[4] = {1.0f, 3.0f, 5.0f, 7.0f};
    const float positions[4] = {0.0f, 0.25f, 2.5f, 3.0f};
    EXPECT_FLOAT_EQ(equaliserGainAtBin(positions, table, 4, 0), 1.0f);
    EXPECT_FLOAT_EQ(equaliserGainAtBin(positions, table, 4, 1), 1.5f);
    EXPECT_FLOAT_EQ(equaliserGainAtBin(positions, table, 4, 2), 6.0f);
    EXPECT_FLOAT_EQ(equaliserGainAtBin(positions, table, 4, 3), 7.0f);
}
