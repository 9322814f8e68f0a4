// Sound through the LV2 binary as a host runs it: the same bits as the VST 2.4 module for the
// same values, whatever the lengths of the run calls, and the latency its port reports.
#include "Lv2TestHost.h"
#include "host/PluginHost.h"
#include "host/VstSplitRender.h"
#include "support/PresetRenders.h"

#include <gtest/gtest.h>

namespace
{

constexpr std::size_t kBlock = 512;

// Changes over the first seconds, each at the start of its block (LV2 control ports change
// per run call): width, punch, sizzle, an equaliser point and the point count, gain, Active
// off and on again, the equaliser's range.
constexpr BlockChange kChanges[] = {
    {0, 0, 1, 0.9f},   {3, 0, 2, 0.8f},   {10, 0, 3, 0.6f},  {40, 0, 12, 0.2f}, {45, 0, 6, 0.25f},
    {90, 0, 5, 0.35f}, {120, 0, 1, 0.2f}, {150, 0, 0, 0.0f}, {170, 0, 0, 1.0f}, {200, 0, 39, 0.9f},
};

StereoSignal renderedByLv2(StereoSignal signal, double rate, const std::vector<BlockChange>& changes,
                           const std::vector<std::size_t>& blockLengths = {kBlock})
{
    Lv2Instance plugin(rate);
    EXPECT_TRUE(plugin.created());
    if (!plugin.created())
        return {};
    plugin.render(signal, blockLengths,
                  [&](Lv2Instance& instance, std::size_t block)
                  {
                      for (const BlockChange& change : changes)
                      {
                          if (change.block == block)
                              instance.setValue(change.id, change.value);
                      }
                  });
    return signal;
}

}  // namespace

TEST(Lv2Processing, AtDefaultsAndWithValuesChangedItSoundsBitIdenticalToTheVstModule)
{
    const std::vector<BlockChange> changes(std::begin(kChanges), std::end(kChanges));
    for (double rate : {44100.0, 96000.0})
    {
        SCOPED_TRACE(rate);
        const StereoSignal input = stereoNoise(static_cast<std::size_t>(rate * 3), 0.4f);
        for (const std::vector<BlockChange>& set : {std::vector<BlockChange>{}, changes})
        {
            StereoSignal vst = input;
            renderWithVstSplitting(vst, set, static_cast<float>(rate), kBlock);
            const StereoSignal lv2 = renderedByLv2(input, rate, set);
            EXPECT_TRUE(sameBits(lv2.left, vst.left)) << set.size() << " changes";
            EXPECT_TRUE(sameBits(lv2.right, vst.right)) << set.size() << " changes";
        }
    }
}

// Hosts run whatever they have: one sample, odd lengths, more than the latency at once.
TEST(Lv2Processing, RunCallsOfAnyLengthSoundAsTheVstModuleInFixedBlocks)
{
    const StereoSignal input = stereoNoise(44100 * 2, 0.4f);
    const std::vector<BlockChange> widen = {{0, 0, 1, 0.9f}};
    const StereoSignal varied = renderedByLv2(input, 44100.0, widen, {1, 7, 300, 5000, 1023, 1});
    StereoSignal expected = input;
    renderWithVstSplitting(expected, widen, 44100.0f, kBlock);
    EXPECT_TRUE(sameBits(varied.left, expected.left));
    EXPECT_TRUE(sameBits(varied.right, expected.right));
    EXPECT_FALSE(sameBits(varied.left, input.left));
}

TEST(Lv2Processing, AToggleIsOnAboveZeroAsLv2ReadsIt)
{
    const StereoSignal input = stereoNoise(44100, 0.4f);
    const StereoSignal on = renderedByLv2(input, 44100.0, {{0, 0, 0, 1.0f}});
    const StereoSignal half = renderedByLv2(input, 44100.0, {{0, 0, 0, 0.0f}, {20, 0, 0, 0.5f}});
    const StereoSignal offThenOn = renderedByLv2(input, 44100.0, {{0, 0, 0, 0.0f}, {20, 0, 0, 1.0f}});
    EXPECT_TRUE(sameBits(half.left, offThenOn.left));
    EXPECT_FALSE(sameBits(half.left, on.left));
}

TEST(Lv2Processing, TheLatencyPortReportsWhatTheVstModuleReportsAtEachRate)
{
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        EffectInstance vst;
        vst.resumeAt(static_cast<float>(rate));
        Lv2Instance plugin(rate);
        ASSERT_TRUE(plugin.created());
        EXPECT_EQ(plugin.reportedLatency(), static_cast<float>(vst.effect()->initialDelay)) << rate;
        EXPECT_EQ(plugin.reportedLatency(), rate > 63999.0 ? 4097.0f : 2049.0f) << rate;
    }
}

// Audacity connects the latency port to the float it reads and at once to another one, and
// reads the first after its first run: the latency must be there from the connection on, and
// stay through activation.
TEST(Lv2Processing, TheLatencyPortHoldsTheLatencyFromItsConnectionOn)
{
    for (double rate : {44100.0, 96000.0})
    {
        EffectInstance vst;
        vst.resumeAt(static_cast<float>(rate));
        const float latency = static_cast<float>(vst.effect()->initialDelay);
        // Connected, then activated, never run.
        Lv2Instance plugin(rate);
        ASSERT_TRUE(plugin.created());
        EXPECT_EQ(plugin.control(plugin.latencyPort()), latency) << rate;
        EXPECT_EQ(plugin.latencyOnConnection(), latency) << rate;
    }
}
