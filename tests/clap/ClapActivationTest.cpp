// Activation and reset start clean: the sound from there on is a fresh instance's with the
// same values (a restart after playing, every format's suite checks in tests/formats; that
// any state a host loads reads back in range and plays finite, the state fuzzer's rows).
#include "ClapTestSupport.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

namespace
{

constexpr double kRate = 44100.0;
constexpr std::uint32_t kBlock = 512;

// Shape and Active glide when they change while playing; width, punch and the curve do not.
constexpr std::pair<clap::Id, float> kSetting[] = {{1, 0.8f}, {2, 0.7f}, {3, 0.5f}, {4, 0.6f}, {0, 0.0f}, {12, 0.3f}};

// Values given the way a host does outside processing: a flush.
void applySetting(ClapPluginInstance& plugin)
{
    for (const auto& [id, value] : kSetting)
        plugin.inputEvents().addParamValue(0, id, value);
    ASSERT_TRUE(plugin.flushParams());
}

bool start(ClapPluginInstance& plugin)
{
    return plugin.activate(kRate, 1, kBlock) && plugin.startProcessing();
}

StereoSignal rendered(ClapPluginInstance& plugin, StereoSignal signal)
{
    processInBlocks(plugin, signal.left, signal.right, kBlock);
    return signal;
}

}  // namespace

TEST(ClapActivation, StartsAsAFreshInstanceWithTheSameValues)
{
    const StereoSignal earlier = stereoNoise(3 * 44100, 0.5f);
    const StereoSignal later = stereoNoise(2 * 44100, 0.3f);
    auto fresh = initialisedPlugin();
    ASSERT_NE(fresh, nullptr);
    applySetting(*fresh);
    ASSERT_TRUE(start(*fresh));
    const StereoSignal expected = rendered(*fresh, later);

    SCOPED_TRACE("the first activation with values set sounds as the second");
    fresh->stopProcessing();
    fresh->deactivate();
    ASSERT_TRUE(start(*fresh));
    EXPECT_TRUE(sameBits(rendered(*fresh, later), expected));

    SCOPED_TRACE("reset after playing other material");
    auto used = initialisedPlugin();
    ASSERT_NE(used, nullptr);
    applySetting(*used);
    ASSERT_TRUE(start(*used));
    rendered(*used, earlier);
    used->reset();
    EXPECT_TRUE(sameBits(rendered(*used, later), expected));
    EXPECT_EQ(used->host().misuses(), 0);
}

// The host hears of a latency only when an activation changes it, and the tail it is told
// covers the latency at every rate.
TEST(ClapActivation, ALatencyChangeIsAnnouncedOnlyWhenTheRateChangesIt)
{
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    ASSERT_TRUE(start(*plugin));
    EXPECT_GE(plugin->tail(), plugin->latency().value_or(0));
    const int latencyChangesBefore = plugin->host().latencyChanges();
    plugin->stopProcessing();
    plugin->deactivate();
    ASSERT_TRUE(plugin->activate(96000.0, 1, kBlock));
    EXPECT_EQ(plugin->latency(), 4097u);
    EXPECT_GE(plugin->tail(), 4097u);
    EXPECT_EQ(plugin->host().latencyChanges(), latencyChangesBefore + 1);
    plugin->deactivate();
    ASSERT_TRUE(plugin->activate(96000.0, 1, kBlock));
    EXPECT_EQ(plugin->host().latencyChanges(), latencyChangesBefore + 1);
    EXPECT_EQ(plugin->host().misuses(), 0);
}
