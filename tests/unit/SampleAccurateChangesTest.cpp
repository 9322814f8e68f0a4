#include "effect/SampleAccurateChanges.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Records what the splitting asks of an effect, as "p<frames>" for a processed piece and
// "s<index>=<value>" for a change, and checks that the pieces walk the buffers in order.
struct RecordingEffect
{
    std::vector<std::string> calls;
    const float* expectedLeft = nullptr;
    const float* expectedRight = nullptr;

    void process(float** inputs, float** outputs, int frames)
    {
        EXPECT_EQ(inputs[0], expectedLeft);
        EXPECT_EQ(outputs[1], expectedRight);
        expectedLeft += frames;
        expectedRight += frames;
        calls.push_back("p" + std::to_string(frames));
    }
    void setParameter(int index, float value)
    {
        calls.push_back("s" + std::to_string(index) + "=" + std::to_string(static_cast<int>(value)));
    }
};

std::vector<std::string> split(std::uint32_t frames, const std::vector<std::optional<TimedParameterChange>>& events)
{
    float left[64] = {};
    float right[64] = {};
    float* inputs[2] = {left, right};
    float* outputs[2] = {left, right};
    RecordingEffect effect;
    effect.expectedLeft = left;
    effect.expectedRight = right;
    processWithChanges(effect, inputs, outputs, frames, static_cast<std::uint32_t>(events.size()),
                       [&](std::uint32_t i) { return events[i]; });
    EXPECT_EQ(effect.expectedLeft, left + frames) << "every frame processed once";
    return effect.calls;
}

using Calls = std::vector<std::string>;

}  // namespace

TEST(SampleAccurateChanges, EachChangeIsSetBeforeThePieceItStarts)
{
    EXPECT_EQ(split(64, {}), (Calls{"p64"}));
    EXPECT_EQ(split(64, {TimedParameterChange{0, 1, 9}}), (Calls{"s1=9", "p64"}));
    EXPECT_EQ(
        split(64, {TimedParameterChange{10, 1, 9}, TimedParameterChange{10, 2, 8}, TimedParameterChange{40, 1, 7}}),
        (Calls{"p10", "s1=9", "s2=8", "p30", "s1=7", "p24"}));
}

TEST(SampleAccurateChanges, OtherEventsCutNothingAndStrayOffsetsAreBounded)
{
    EXPECT_EQ(split(64, {std::nullopt, TimedParameterChange{20, 3, 1}, std::nullopt}), (Calls{"p20", "s3=1", "p44"}));
    // Past the block: set at its end, after all of it. Before an earlier change: set there.
    EXPECT_EQ(
        split(64, {TimedParameterChange{30, 1, 1}, TimedParameterChange{5, 2, 2}, TimedParameterChange{900, 3, 3}}),
        (Calls{"p30", "s1=1", "s2=2", "p34", "s3=3"}));
    EXPECT_EQ(split(0, {TimedParameterChange{0, 1, 1}}), (Calls{"s1=1"}));
}
