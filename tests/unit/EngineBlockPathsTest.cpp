// The block process runs steady stretches four samples per register and everything else
// (one-sample blocks, fades, samples beside a ring wrap) one stereo pair at a time. Both
// must give the same bits, meters included.
#include "EngineTestSupport.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace
{

struct Rendered
{
    std::vector<float> left;
    std::vector<float> right;
    float peakLeft = 0.0f;
    float peakRight = 0.0f;
    float clipFlag = 0.0f;
};

struct Change
{
    std::size_t at;
    int index;
    float value;
};

// Every feature active, then the parameter changes at fixed samples; between them the
// material goes through in blocks of `block` samples.
Rendered render(int block, const StereoSignal& input, const std::vector<Change>& changes)
{
    auto host = startedEngine();
    setParameter(*host, kParamStereoWidth, 0.9f);
    setParameter(*host, kParamPunch, 0.9f);
    setParameter(*host, kParamSizzle, 0.8f);
    setParameter(*host, kParamShape, 0.7f);
    setParameter(*host, kParamGain, 0.6f);
    Rendered out{input.left, input.right};
    std::size_t start = 0;
    for (std::size_t c = 0; c <= changes.size(); ++c)
    {
        const std::size_t end = c < changes.size() ? changes[c].at : out.left.size();
        for (; start < end; start += static_cast<std::size_t>(block))
        {
            float* channels[2] = {out.left.data() + start, out.right.data() + start};
            host->processBlock(channels, channels, 2, static_cast<int>(std::min<std::size_t>(block, end - start)));
        }
        start = end;
        if (c < changes.size())
            setParameter(*host, changes[c].index, changes[c].value);
    }
    out.peakLeft = host->meters().peakLeft.load();
    out.peakRight = host->meters().peakRight.load();
    out.clipFlag = host->meters().clipFlag.load();
    return out;
}

void expectSameBits(const Rendered& a, const Rendered& b)
{
    ASSERT_EQ(a.left.size(), b.left.size());
    EXPECT_EQ(std::memcmp(a.left.data(), b.left.data(), a.left.size() * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(a.right.data(), b.right.data(), a.right.size() * sizeof(float)), 0);
    EXPECT_EQ(a.peakLeft, b.peakLeft);
    EXPECT_EQ(a.peakRight, b.peakRight);
    EXPECT_EQ(a.clipFlag, b.clipFlag);
}

}  // namespace

TEST(EngineBlockPaths, FourSampleAndOnePairPathsGiveTheSameBits)
{
    constexpr std::size_t kLength = 120000;
    StereoSignal input = stereoNoise(kLength, 0.4f);
    const std::vector<float> tone = sine(kLength, 220.0, 44100.0, 0.6f);
    for (std::size_t i = 0; i < kLength; ++i)
        input.left[i] += tone[i];
    // Bad and absurd samples take the guarded entry on both paths.
    input.left[5003] = std::numeric_limits<float>::quiet_NaN();
    input.right[5004] = std::numeric_limits<float>::infinity();
    input.left[7001] = 3e6f;
    input.right[7002] = -3e6f;
    // Shape moves while the four-sample path runs, narrowing replaces widening, a bypass
    // fade goes out and back in, and Shape falls to nothing.
    const std::vector<Change> changes = {{20011, kParamShape, 1.0f},  {40000, kParamStereoWidth, 0.2f},
                                         {52000, kParamActive, 0.0f}, {70000, kParamActive, 1.0f},
                                         {85000, kParamShape, 0.0f},  {100003, kParamShape, 0.3f}};
    const Rendered pairs = render(1, input, changes);
    for (int block : {4, 509, 1024, 4096})
    {
        SCOPED_TRACE(block);
        expectSameBits(render(block, input, changes), pairs);
    }
    EXPECT_EQ(pairs.clipFlag, 1.0f) << "the material is loud enough to clip";
}
