// The engine under bad data: samples and values no sane host sends, which must still never
// leave it broken.
#include "EngineTestSupport.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

constexpr std::size_t kFrame = 2048;
constexpr float kInfinity = std::numeric_limits<float>::infinity();

}  // namespace

// Each non-finite sample enters as silence: the output is bit for bit that of the input
// with zeros in its place.
TEST(EngineHardening, NonFiniteInputIsSilenceOnEntry)
{
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), kInfinity, -kInfinity})
    {
        auto faulty = startedEngine();
        auto clean = startedEngine();
        StereoSignal input = stereoNoise(6 * kFrame, 0.5f);
        StereoSignal zeroed = input;
        for (std::size_t i : {std::size_t{3000}, std::size_t{3001}, std::size_t{7777}})
        {
            input.left[i] = bad;
            zeroed.left[i] = 0.0f;
        }
        input.right[4000] = bad;
        zeroed.right[4000] = 0.0f;
        runBlocks(*faulty, input.left, input.right);
        runBlocks(*clean, zeroed.left, zeroed.right);
        EXPECT_TRUE(sameBits(input.left, zeroed.left)) << bad;
        EXPECT_TRUE(sameBits(input.right, zeroed.right)) << bad;
    }
}

TEST(EngineHardening, FrameSizeIsDefinedForEveryRate)
{
    EXPECT_EQ(StereoEngine::frameSizeForRate(63999.9f), 2048);
    EXPECT_EQ(StereoEngine::frameSizeForRate(64000.0f), 4096);
    for (float rate : {3e9f, 1e30f, kInfinity})
        EXPECT_EQ(StereoEngine::frameSizeForRate(rate), 4096) << rate;
    for (float rate : {-kInfinity, std::numeric_limits<float>::quiet_NaN(), 0.0f})
        EXPECT_EQ(StereoEngine::frameSizeForRate(rate), 2048) << rate;
}

// Non-finite rates leave the engine at its old rate; the display and band tables of every
// positive rate stay inside their buffers (the sanitizer builds check the reads).
TEST(EngineHardening, SampleRatesOutsideTheUsualRangeAreSafe)
{
    auto host = startedEngine(96000.0f);
    for (float refused : {kInfinity, std::numeric_limits<float>::quiet_NaN(), -1.0f, 0.0f})
    {
        host->changeSampleRate(0, refused);
        EXPECT_EQ(host->sampleRate(), 96000.0f) << refused;
        EXPECT_EQ(host->latency(), 4097) << refused;
    }
    for (float rate : {1e-40f, 0.001f, 1.0f, 100.0f, 8000.0f, 22050.0f, 32000.0f, 384000.0f, 1e30f})
    {
        host->changeSampleRate(0, rate);
        StereoSignal signal = stereoNoise(3 * kFrame, 0.5f);
        runBlocks(*host, signal.left, signal.right);
        for (std::size_t i = 0; i < signal.left.size(); ++i)
            ASSERT_TRUE(std::isfinite(signal.left[i]) && std::isfinite(signal.right[i])) << rate << " at " << i;
    }
}

// A stored value of any finite size keeps every coefficient, and so the output, finite:
// the same extreme everywhere, and mixed ones (the curve's points far apart).
TEST(EngineHardening, ExtremeStoredValuesKeepTheOutputFinite)
{
    const float largest = std::numeric_limits<float>::max();
    const float pattern[] = {largest, -largest, 1e30f, -1e30f, 0.5f, largest, 0.25f};
    for (std::size_t shift = 0; shift < 2 * std::size(pattern); ++shift)
    {
        auto host = startedEngine();
        const bool mixed = shift >= std::size(pattern);
        const float extreme = pattern[shift % std::size(pattern)];
        for (int index = 0; index < kNumParameters; ++index)
            setParameter(*host, index, mixed ? pattern[(index + shift) % std::size(pattern)] : extreme);
        host->RebuildEqualiser();
        StereoSignal signal = stereoNoise(4 * kFrame, 0.5f);
        runBlocks(*host, signal.left, signal.right);
        for (std::size_t i = 0; i < signal.left.size(); ++i)
            ASSERT_TRUE(std::isfinite(signal.left[i]) && std::isfinite(signal.right[i])) << shift << " at " << i;
    }
}

// Curve points whose heights alternate between the largest finite values: the spline's
// arithmetic must not overflow into NaN gains (which the output clamp turns into a railed
// -1, so finite output alone would not show it).
TEST(EngineHardening, AlternatingExtremeCurvePointsGiveFiniteGains)
{
    const float largest = std::numeric_limits<float>::max();
    EngineSettings settings;
    EngineMeters meters;
    SpectrumHandOff spectrum;
    StereoImageHandOff stereoImage;
    StereoEngine engine(settings, meters, spectrum, stereoImage);
    ASSERT_TRUE(engine.Initialise(2048, 44100.0f));
    ProgramRecord program;
    initialiseDefaultProgram(program);
    program.value[kParamEqNum] = 0.25f;
    const float xs[] = {0.0f, 0.3f, 0.6f, 1.0f};
    for (int point = 0; point < 4; ++point)
    {
        program.value[eqPointXIndex(point)] = xs[point];
        program.value[eqPointYIndex(point)] = point % 2 == 0 ? largest : -largest;
    }
    engine.RebuildEqualiser(program, 12.0f);
    for (int bin = 0; bin < 1024; ++bin)
        ASSERT_TRUE(std::isfinite(engine.equaliserTable()[bin])) << bin;
}
