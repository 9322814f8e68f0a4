// The engine under bad data: samples and values no sane host sends, which must still never
// leave it broken.
#include "../host/TestSignals.h"
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace
{

constexpr std::size_t kFrame = 2048;
constexpr float kInfinity = std::numeric_limits<float>::infinity();

bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

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
