#include "EngineTestSupport.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int kFrame = 2048;
constexpr float kOverlapRipple = 1e-3f;

std::vector<float> constant(std::size_t length, float value)
{
    return std::vector<float>(length, value);
}

// Settles the smoothed Shape amount and the overlap-add before measuring.
constexpr std::size_t kSettled = 30000;

}  // namespace

TEST(EngineProcessing, NothingHappensBeforeTheCurveIsFirstBuilt)
{
    auto host = EngineHost::create(44100.0f);
    ASSERT_NE(host, nullptr);
    std::vector<float> inLeft(300, 0.5f), inRight(300, 0.5f), outLeft(300, 9.0f), outRight(300, 9.0f);
    float* inputs[2] = {inLeft.data(), inRight.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    host->processBlock(inputs, outputs, 2, 300);
    EXPECT_TRUE(std::all_of(outLeft.begin(), outLeft.end(), [](float s) { return s == 9.0f; }));
    host->RebuildEqualiser();
    host->processBlock(inputs, outputs, 2, 300);
    EXPECT_FALSE(std::all_of(outLeft.begin(), outLeft.end(), [](float s) { return s == 9.0f; }));
}

TEST(EngineProcessing, BypassFadeTakesTenThousandSamplesAndStopsExactly)
{
    // Nyquist-rate input: the dry path (delay N) and the wet path (delay N + 1) have
    // opposite signs, so the output tells the crossfade position.
    auto host = startedEngine();
    std::vector<float> left(40000), right(40000, 0.0f);
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] = (i % 2 == 0) ? 0.5f : -0.5f;
    const std::vector<float> input = left;
    std::vector<float> warmup(left.begin(), left.begin() + 8192), warmupRight(8192, 0.0f);
    runBlocks(*host, warmup, warmupRight);

    setParameter(*host, kParamActive, 0.0f);
    std::vector<float> out(left.begin() + 8192, left.end());
    std::vector<float> outRight(out.size(), 0.0f);
    runBlocks(*host, out, outRight);
    const auto dryAt = [&](std::size_t t) { return input[8192 + t - kFrame]; };
    std::size_t firstDry = out.size();
    for (std::size_t t = 0; t < out.size(); ++t)
    {
        if (out[t] == dryAt(t))
        {
            firstDry = t;
            break;
        }
    }
    EXPECT_NEAR(static_cast<double>(firstDry), 10000.0, 2.0);
    for (std::size_t t = firstDry; t < out.size(); ++t)
        ASSERT_EQ(out[t], dryAt(t)) << "the fade stops exactly at the dry signal";

    setParameter(*host, kParamActive, 1.0f);
    std::vector<float> back(input.begin(), input.begin() + 16000), backRight(16000, 0.0f);
    runBlocks(*host, back, backRight);
    for (std::size_t t = 10002; t < back.size(); ++t)
        ASSERT_NEAR(back[t], -back[t - 1], 2 * kOverlapRipple) << "fully wet again";
}

TEST(EngineProcessing, FadeStepScalesWithTheSampleRate)
{
    auto host = startedEngine(88200.0f);
    std::vector<float> left(60000), right(60000, 0.0f);
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] = (i % 2 == 0) ? 0.5f : -0.5f;
    const std::vector<float> input = left;
    setParameter(*host, kParamActive, 0.0f);
    runBlocks(*host, left, right);
    constexpr int kLongFrame = 4096;
    std::size_t firstDry = left.size();
    for (std::size_t t = kLongFrame; t < left.size(); ++t)
    {
        if (left[t] == input[t - kLongFrame])
        {
            firstDry = t;
            break;
        }
    }
    EXPECT_NEAR(static_cast<double>(firstDry), 5000.0, 2.0) << "twice the rate, half the samples";
}

TEST(EngineProcessing, NarrowingBlendsTheChannels)
{
    auto host = startedEngine();
    setParameter(*host, kParamStereoWidth, 0.25f);  // width 0.5: each side keeps 0.75 of itself
    auto left = constant(kSettled, 0.4f);
    auto right = constant(kSettled, -0.2f);
    runBlocks(*host, left, right);
    EXPECT_NEAR(left.back(), 0.75f * 0.4f + 0.25f * -0.2f, kOverlapRipple);
    EXPECT_NEAR(right.back(), 0.75f * -0.2f + 0.25f * 0.4f, kOverlapRipple);
}

TEST(EngineProcessing, ShapeStagesSaturateProgressively)
{
    // Expected values of the three saturation stages for an input of 0.5.
    const struct
    {
        float shapeParameter;
        float expected;
    } cases[] = {{0.0f, 0.5f}, {0.25f, 0.59375f}, {0.5f, 0.8687744f}, {1.0f, 0.9520645f}};
    for (const auto& c : cases)
    {
        auto host = startedEngine();
        setParameter(*host, kParamShape, c.shapeParameter);
        auto left = constant(kSettled, 0.5f);
        auto right = constant(kSettled, -0.5f);
        runBlocks(*host, left, right);
        EXPECT_NEAR(left.back(), c.expected, 2e-3f) << c.shapeParameter;
        EXPECT_NEAR(right.back(), -c.expected, 2e-3f) << c.shapeParameter;
    }
}

TEST(EngineProcessing, LoudWetSamplesSetTheClipFlagAndAreClamped)
{
    auto host = startedEngine();
    auto left = constant(3 * kFrame, 1.5f);
    auto right = constant(3 * kFrame, 0.1f);
    EXPECT_EQ(host->meters().clipFlag.load(), 0.0f);
    runBlocks(*host, left, right);
    EXPECT_EQ(host->meters().clipFlag.load(), 1.0f);
    EXPECT_EQ(left.back(), 1.0f);
}

TEST(EngineProcessing, BypassedOutputStaysDryWhileTheWetPathStillFlagsClipping)
{
    auto host = startedEngine();
    setParameter(*host, kParamActive, 0.0f);
    auto quiet = constant(12000, 0.1f);
    auto quietRight = constant(12000, 0.1f);
    runBlocks(*host, quiet, quietRight);
    host->meters().clipFlag.store(0.0f);
    auto left = constant(3 * kFrame, 1.5f);
    auto right = constant(3 * kFrame, 1.5f);
    runBlocks(*host, left, right);
    EXPECT_EQ(host->meters().clipFlag.load(), 1.0f);
    EXPECT_EQ(left.back(), 1.5f);
}

TEST(EngineProcessing, PeakMetersOnlyRiseUntilResumed)
{
    auto host = startedEngine();
    auto loud = constant(3 * kFrame, 0.8f);
    auto loudRight = constant(3 * kFrame, -0.3f);
    runBlocks(*host, loud, loudRight);
    const float peakLeft = host->meters().peakLeft.load();
    EXPECT_NEAR(peakLeft, 0.8f, kOverlapRipple);
    EXPECT_NEAR(host->meters().peakRight.load(), 0.3f, kOverlapRipple);
    auto quiet = constant(3 * kFrame, 0.1f);
    auto quietRight = constant(3 * kFrame, 0.1f);
    runBlocks(*host, quiet, quietRight);
    EXPECT_EQ(host->meters().peakLeft.load(), peakLeft);
    host->resumeProcessing();
    EXPECT_EQ(host->meters().peakLeft.load(), 0.0f);
}

TEST(EngineProcessing, HighRatesUseTheLongFrame)
{
    for (const auto& [rate, frame] :
         {std::pair{44100.0f, 2048}, {48000.0f, 2048}, {63999.0f, 2048}, {64000.0f, 4096}, {96000.0f, 4096}})
    {
        auto host = startedEngine(rate);
        EXPECT_EQ(host->latency(), frame + 1) << rate;
        std::vector<float> left(3 * frame, 0.0f), right(3 * frame, 0.0f);
        left[10] = 0.5f;
        runBlocks(*host, left, right);
        const auto loudest = std::max_element(left.begin(), left.end());
        EXPECT_EQ(loudest - left.begin(), 10 + frame + 1) << rate;
    }
}

TEST(EngineProcessing, AnUnchangedRateKeepsTheRunningEngine)
{
    auto host = startedEngine();
    std::vector<float> left(kFrame + 50, 0.0f), right(kFrame + 50, 0.0f);
    left[kFrame] = 0.5f;
    runBlocks(*host, left, right);
    host->changeSampleRate(0, 44100.0f);
    std::vector<float> more(kFrame + 10, 0.0f), moreRight(kFrame + 10, 0.0f);
    runBlocks(*host, more, moreRight);
    EXPECT_NEAR(*std::max_element(more.begin(), more.end()), 0.5f, kOverlapRipple) << "the impulse in flight survives";
}
