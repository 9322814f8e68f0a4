// Where the processor has AVX, the engine runs its widest passes eight lanes per register;
// the sound and the meters must be exactly those of the SSE2 path on every machine.
#include "EngineTestSupport.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

struct Rendered
{
    std::vector<float> left;
    std::vector<float> right;
    float meters[5] = {};
};

// Noise under a low tone, in bursts so that bins see onsets, with every feature active and
// then narrowing instead of widening.
Rendered render(float sampleRate, VectorPath path)
{
    constexpr std::size_t kLength = 100000;
    constexpr std::size_t kBurst = 9000;
    constexpr std::size_t kBlock = 500;
    const StereoSignal noiseBed = stereoNoise(kLength, 0.3f);
    const std::vector<float> tone = sine(kLength, 90.0, sampleRate, 0.5f);
    Rendered out{std::vector<float>(kLength), std::vector<float>(kLength)};
    for (std::size_t i = 0; i < kLength; ++i)
    {
        const float gate = (i / kBurst) % 2 == 0 ? 1.0f : 0.05f;
        out.left[i] = gate * (noiseBed.left[i] + tone[i]);
        out.right[i] = gate * noiseBed.right[i];
    }

    auto host = startedEngine(sampleRate, path);
    setParameter(*host, kParamStereoWidth, 0.9f);
    setParameter(*host, kParamPunch, 0.9f);
    setParameter(*host, kParamSizzle, 0.8f);
    setParameter(*host, kParamShape, 0.7f);
    setParameter(*host, kParamGain, 0.6f);
    for (std::size_t start = 0; start < kLength; start += kBlock)
    {
        if (start == kLength / 2)
            setParameter(*host, kParamStereoWidth, 0.2f);
        float* channels[2] = {out.left.data() + start, out.right.data() + start};
        host->processBlock(channels, channels, 2, static_cast<int>(kBlock));
    }

    const EngineMeters& meters = host->meters();
    const float values[5] = {meters.peakLeft.load(), meters.peakRight.load(), meters.clipFlag.load(),
                             meters.bassMeter.load(), meters.sizzleMeter.load()};
    std::copy(values, values + 5, out.meters);
    return out;
}

}  // namespace

class EngineVectorPaths : public ::testing::TestWithParam<float>
{
};

TEST_P(EngineVectorPaths, AvxAndSse2PathsGiveTheSameBits)
{
    if (!avxAvailable())
        GTEST_SKIP() << "no AVX on this processor";
    const float sampleRate = GetParam();
    const Rendered wide = render(sampleRate, VectorPath::Widest);
    const Rendered narrow = render(sampleRate, VectorPath::Sse2);
    ASSERT_EQ(wide.left.size(), narrow.left.size());
    EXPECT_EQ(std::memcmp(wide.left.data(), narrow.left.data(), wide.left.size() * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(wide.right.data(), narrow.right.data(), wide.right.size() * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(wide.meters, narrow.meters, sizeof(wide.meters)), 0);
    EXPECT_GT(wide.meters[3], 0.0f) << "the bursts reach the bass onset meter";
    EXPECT_GT(wide.meters[4], 0.0f) << "the bursts reach the treble onset meter";
}

// 44.1 kHz runs 2048-sample frames, 96 kHz 4096: the transform's two shapes of first pass.
INSTANTIATE_TEST_SUITE_P(FrameLengths, EngineVectorPaths, ::testing::Values(44100.0f, 96000.0f));
