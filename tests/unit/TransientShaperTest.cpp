#include "engine/TransientShaper.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

constexpr int kFrame = 2048;
constexpr int kHalf = kFrame / 2;
constexpr float kFullPunch = 5.656854f;
constexpr float kFullSizzle = 9.0f;

class TransientShaperAt44k : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(shaper.Initialise(kFrame, 44100.0f)); }

    void frameWithMagnitude(float perChannel)
    {
        std::vector<float> magnitudes(kHalf, perChannel);
        shaper.DetectOnsets(magnitudes.data(), magnitudes.data());
    }

    // The shaped magnitude of one bin; the other bins of its group of four carry nothing,
    // so the sums hold that bin's contribution alone.
    float shape(int bin, float magnitude, float punch, float sizzle, TransientShaper::BandSums& sums) const
    {
        alignas(16) float lanes[4] = {};
        lanes[bin % 4] = magnitude;
        const __m128 shaped = shaper.ShapeMagnitudes(bin - bin % 4, _mm_load_ps(lanes), punch, sizzle, sums);
        _mm_store_ps(lanes, shaped);
        return lanes[bin % 4];
    }

    TransientShaper shaper;
};

}  // namespace

TEST_F(TransientShaperAt44k, BandLimitsAndWeightsSitWhereTheBandsAre)
{
    EXPECT_EQ(shaper.bassTop(), 8);
    EXPECT_EQ(shaper.trebleLow(), 557);
    EXPECT_EQ(shaper.trebleHigh(), 835);
    EXPECT_NEAR(shaper.punchWeightAt(5), 0.98f, 0.01f) << "107.7 Hz";
    EXPECT_EQ(shaper.punchWeightAt(0), 0.0f);
    EXPECT_EQ(shaper.punchWeightAt(9), 0.0f) << "above 190 Hz";
    const int bin15k = static_cast<int>(15000.0f * kFrame / 44100.0f);
    EXPECT_EQ(shaper.sizzleWeightAt(bin15k), 1.0f);
    EXPECT_EQ(shaper.sizzleWeightAt(300), 0.0f) << "6.5 kHz";
    EXPECT_GT(shaper.sizzleWeightAt(450), 0.0f);
    EXPECT_LT(shaper.sizzleWeightAt(450), 1.0f);
}

TEST_F(TransientShaperAt44k, OnsetNeedsMoreThanDoubleTheSummedMagnitude)
{
    frameWithMagnitude(0.5f);
    EXPECT_EQ(shaper.framesSinceOnset(10), 0) << "every bin starts as an onset";
    frameWithMagnitude(1.0f);
    EXPECT_EQ(shaper.framesSinceOnset(10), 1) << "exactly twice is not an onset";
    frameWithMagnitude(1.0f);
    EXPECT_EQ(shaper.framesSinceOnset(10), 2);
    frameWithMagnitude(2.0001f);
    EXPECT_EQ(shaper.framesSinceOnset(10), 0);
}

TEST_F(TransientShaperAt44k, SilenceNeverCountsAsAnOnset)
{
    for (int frame = 0; frame < 5; ++frame)
        frameWithMagnitude(1e-10f);
    EXPECT_EQ(shaper.framesSinceOnset(100), 4);
}

TEST_F(TransientShaperAt44k, PunchActsInTheOnsetFrameAndBlendsInTheFrameAfter)
{
    const float w = shaper.punchWeightAt(5);
    TransientShaper::BandSums sums;
    frameWithMagnitude(0.5f);
    EXPECT_FLOAT_EQ(shape(5, 1.0f, kFullPunch, 1.0f, sums), 1.0f + 4.656854f * w);
    EXPECT_GT(sums.bassTotal(), 0.0f);
    frameWithMagnitude(0.5f);
    EXPECT_FLOAT_EQ(shape(5, 1.0f, kFullPunch, 1.0f, sums), 0.3f * (1.0f + 4.656854f * w) + 0.7f);
    frameWithMagnitude(0.5f);
    EXPECT_EQ(shape(5, 1.0f, kFullPunch, 1.0f, sums), 1.0f);
}

TEST_F(TransientShaperAt44k, SizzleScalesTheOnsetFrameAndTheFrameAfter)
{
    const int bin15k = static_cast<int>(15000.0f * kFrame / 44100.0f);
    TransientShaper::BandSums sums;
    frameWithMagnitude(0.5f);
    EXPECT_FLOAT_EQ(shape(bin15k, 2.0f, 1.0f, kFullSizzle, sums), 18.0f);
    EXPECT_FLOAT_EQ(sums.trebleTotal(), 18.0f);
    EXPECT_EQ(sums.bassTotal(), 0.0f);
    frameWithMagnitude(0.5f);
    EXPECT_FLOAT_EQ(shape(bin15k, 2.0f, 1.0f, kFullSizzle, sums), 18.0f);
    frameWithMagnitude(0.5f);
    EXPECT_EQ(shape(bin15k, 2.0f, 1.0f, kFullSizzle, sums), 2.0f);
}

TEST_F(TransientShaperAt44k, NeutralAmountsLeaveEveryStateAlone)
{
    TransientShaper::BandSums sums;
    for (int frame = 0; frame < 3; ++frame)
    {
        frameWithMagnitude(0.5f);
        for (int bin : {0, 5, 300, 700, kHalf - 1})
            EXPECT_EQ(shape(bin, 0.7f, 1.0f, 1.0f, sums), 0.7f) << bin;
    }
}

TEST_F(TransientShaperAt44k, MetersOnlyRise)
{
    const auto sumsOf = [](float bass, float treble) {
        TransientShaper::BandSums sums;
        sums.bass = _mm_setr_ps(bass, 0.0f, 0.0f, 0.0f);
        sums.treble = _mm_setr_ps(0.0f, 0.0f, treble, 0.0f);
        return sums;
    };
    EngineMeters meters;
    shaper.UpdateMeters(sumsOf(2048.0f, 0.0f), meters);
    EXPECT_FLOAT_EQ(meters.bassMeter.load(), 1.0f);
    shaper.UpdateMeters(sumsOf(1024.0f, 614.4f), meters);
    EXPECT_FLOAT_EQ(meters.bassMeter.load(), 1.0f);
    EXPECT_FLOAT_EQ(meters.sizzleMeter.load(), 1.0f);
}
