#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace
{

class Lcg
{
public:
    explicit Lcg(std::uint32_t seed) : state(seed) {}
    float unit()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 16777216.0f;
    }
    int below(int count) { return static_cast<int>(unit() * static_cast<float>(count)) % count; }

private:
    std::uint32_t state;
};

void randomiseParameters(EngineHost& host, Lcg& random)
{
    for (int index = 0; index < kNumParameters; ++index)
        setParameter(host, index, random.unit());
    // Occasionally the extremes, where the curves and gains are steepest.
    if (random.below(3) == 0)
    {
        for (int index : {kParamStereoWidth, kParamPunch, kParamSizzle, kParamShape, kParamGain, kParamEqGain})
            setParameter(host, index, random.below(2) == 0 ? 0.0f : 1.0f);
    }
}

float sampleOf(int kind, std::size_t i, Lcg& random)
{
    switch (kind)
    {
    case 0: return 2.0f * random.unit() - 1.0f;
    case 1: return 0.99f * std::sin(0.05f * static_cast<float>(i));
    case 2: return 1.0f;
    case 3: return i % 3000 == 0 ? 1.0f : 0.0f;
    case 4: return 0.0f;
    case 5: return (i / 40) % 2 == 0 ? 1.0f : -1.0f;
    default: return 1e-30f * (2.0f * random.unit() - 1.0f);  // input already near denormal
    }
}

}  // namespace

// For finite input and any parameter values in 0..1, nothing but normal numbers or zero
// ever leaves the engine.
TEST(RandomisedSafety, OutputIsAlwaysFiniteAndNeverSubnormal)
{
    Lcg random(2026);
    const float rates[] = {44100.0f, 48000.0f, 96000.0f};
    for (int run = 0; run < 12; ++run)
    {
        auto host = startedEngine(rates[random.below(3)]);
        randomiseParameters(*host, random);
        const int kindLeft = random.below(7);
        const int kindRight = random.below(7);
        std::vector<float> left(5 * 4096), right(5 * 4096);
        for (std::size_t i = 0; i < left.size(); ++i)
        {
            left[i] = sampleOf(kindLeft, i, random);
            right[i] = sampleOf(kindRight, i, random);
        }
        runBlocks(*host, left, right);
        randomiseParameters(*host, random);
        std::vector<float> more(left), moreRight(right);
        runBlocks(*host, more, moreRight);
        left.insert(left.end(), more.begin(), more.end());
        right.insert(right.end(), moreRight.begin(), moreRight.end());
        for (std::size_t i = 0; i < left.size(); ++i)
        {
            for (float sample : {left[i], right[i]})
            {
                const int kind = std::fpclassify(sample);
                ASSERT_TRUE(kind == FP_NORMAL || kind == FP_ZERO)
                    << "run " << run << " sample " << i << " value " << sample;
            }
        }
    }
}
