// Sound through the LV2 binary as only LV2 hosts run it (what every format must do alike is in
// tests/formats): run calls of any length, toggles read as LV2 reads them, and the latency
// port holding the latency from its connection on.
#include "Lv2TestHost.h"
#include "host/PluginHost.h"
#include "host/VstSplitRender.h"

#include <gtest/gtest.h>

namespace
{

constexpr std::size_t kBlock = 512;

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

// Hosts run whatever they have: one sample, odd lengths, more than the latency at once.
TEST(Lv2Processing, RunCallsOfAnyLengthSoundAsTheVstModuleInFixedBlocks)
{
    const StereoSignal input = stereoNoise(44100 * 2, 0.4f);
    const std::vector<BlockChange> widen = {{0, 0, 1, 0.9f}};
    const StereoSignal varied = renderedByLv2(input, 44100.0, widen, {1, 7, 300, 5000, 1023, 1});
    StereoSignal expected = input;
    renderWithVstSplitting(expected, widen, 44100.0f, kBlock);
    EXPECT_TRUE(sameBits(varied, expected));
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
