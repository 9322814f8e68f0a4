// Sound through the CLAP module: the same bits as the VST 2.4 module for the same changes,
// each change at its own sample, latency per rate, and activation at another rate.
#include "ClapTestSupport.h"
#include "host/PluginHost.h"
#include "host/VstSplitRender.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <utility>

namespace
{

constexpr std::size_t kBlock = 512;

using Change = BlockChange;

// Changes over the first seconds: width, punch, sizzle, shape, gain, an equaliser point, Active.
constexpr Change kChanges[] = {
    {0, 0, 1, 0.9f},   {3, 0, 2, 0.8f},   {10, 0, 3, 0.6f},  {40, 0, 12, 0.2f}, {41, 0, 4, 0.3f},
    {90, 0, 5, 0.35f}, {120, 0, 1, 0.2f}, {150, 0, 0, 0.0f}, {170, 0, 0, 1.0f}, {200, 0, 39, 0.9f},
};

void renderWithVst(StereoSignal& signal, const std::vector<Change>& changes, float sampleRate)
{
    renderWithVstSplitting(signal, changes, sampleRate, kBlock);
}

void renderWithClap(StereoSignal& signal, const std::vector<Change>& changes, double sampleRate)
{
    auto plugin = processingPlugin(sampleRate, kBlock);
    ASSERT_NE(plugin, nullptr);
    processInBlocks(*plugin, signal.left, signal.right, kBlock,
                    [&](ClapPluginInstance& instance, std::size_t start)
                    {
                        for (const Change& change : changes)
                        {
                            if (change.block == start / kBlock)
                                instance.inputEvents().addParamValue(change.offset, change.id, change.value);
                        }
                    });
    EXPECT_EQ(plugin->host().misuses(), 0);
}

}  // namespace

TEST(ClapProcessing, ChangesAtOffsetZeroSoundBitIdenticalToTheVstModule)
{
    const std::vector<Change> changes(std::begin(kChanges), std::end(kChanges));
    for (double rate : {44100.0, 96000.0})
    {
        StereoSignal vstSignal = stereoNoise(static_cast<std::size_t>(rate * 3), 0.4f);
        StereoSignal clapSignal = vstSignal;
        renderWithVst(vstSignal, changes, static_cast<float>(rate));
        renderWithClap(clapSignal, changes, rate);
        EXPECT_TRUE(sameBits(clapSignal.left, vstSignal.left)) << rate;
        EXPECT_TRUE(sameBits(clapSignal.right, vstSignal.right)) << rate;
    }
}

TEST(ClapProcessing, AChangeAtOffsetKTakesEffectAtSampleK)
{
    // Past the latency, so the narrowing (which follows the width from the next sample) has
    // sound to act on.
    constexpr std::size_t kBlockOfChange = 10;
    const StereoSignal input = stereoNoise(kBlock * 16, 0.4f);
    StereoSignal unchanged = input;
    renderWithClap(unchanged, {}, 44100.0);
    for (std::uint32_t offset : {1u, 137u, 511u})
    {
        SCOPED_TRACE(offset);
        const std::vector<Change> changes = {{kBlockOfChange, offset, 1, 0.1f}};
        StereoSignal changed = input;
        renderWithClap(changed, changes, 44100.0);
        const std::size_t at = kBlockOfChange * kBlock + offset;
        const std::vector<float> before(changed.left.begin(), changed.left.begin() + static_cast<long>(at));
        EXPECT_TRUE(sameBits(
            before, std::vector<float>(unchanged.left.begin(), unchanged.left.begin() + static_cast<long>(at))));
        EXPECT_NE(changed.left[at], unchanged.left[at]);
        // The same as a VST host splitting its block at that sample.
        StereoSignal vstSplit = input;
        renderWithVst(vstSplit, changes, 44100.0f);
        EXPECT_TRUE(sameBits(changed.left, vstSplit.left));
        EXPECT_TRUE(sameBits(changed.right, vstSplit.right));
    }
}

TEST(ClapProcessing, LatencyIsTheDelayOfTheSoundAtEveryRateAsTheVstModuleReportsIt)
{
    for (float rate : {44100.0f, 48000.0f, 96000.0f})
    {
        EffectInstance vst;
        vst.resumeAt(rate);
        auto plugin = initialisedPlugin();
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(plugin->activate(rate, 1, kBlock));
        const std::uint32_t latency = plugin->latency().value_or(0);
        EXPECT_EQ(latency, static_cast<std::uint32_t>(vst.effect()->initialDelay)) << rate;
        EXPECT_GE(plugin->tail(), latency);
        const StereoSignal input = stereoNoise(6 * latency, 0.4f);
        StereoSignal output = input;
        renderWithClap(output, {}, rate);
        EXPECT_TRUE(delayedCopy(input.left, output.left, latency, 2 * latency)) << rate;
        EXPECT_TRUE(delayedCopy(input.right, output.right, latency, 2 * latency)) << rate;
    }
}

TEST(ClapProcessing, ReactivatedAtAnotherRateItSoundsAsIfNewAtThatRate)
{
    auto plugin = processingPlugin(44100.0, kBlock);
    ASSERT_NE(plugin, nullptr);
    StereoSignal first = stereoNoise(44100, 0.4f);
    processInBlocks(*plugin, first.left, first.right, kBlock);
    const int latencyChangesBefore = plugin->host().latencyChanges();
    plugin->stopProcessing();
    plugin->deactivate();
    ASSERT_TRUE(plugin->activate(96000.0, 1, kBlock));
    EXPECT_EQ(plugin->latency(), 4097u);
    EXPECT_EQ(plugin->host().latencyChanges(), latencyChangesBefore + 1);
    ASSERT_TRUE(plugin->startProcessing());
    StereoSignal again = stereoNoise(96000, 0.3f);
    StereoSignal fresh = again;
    processInBlocks(*plugin, again.left, again.right, kBlock);
    renderWithClap(fresh, {}, 96000.0);
    EXPECT_TRUE(sameBits(again.left, fresh.left));
    EXPECT_TRUE(sameBits(again.right, fresh.right));
    // Deactivated and activated at the same rate: the history is cleared, nothing else changes.
    plugin->stopProcessing();
    plugin->deactivate();
    ASSERT_TRUE(plugin->activate(96000.0, 1, kBlock));
    EXPECT_EQ(plugin->host().latencyChanges(), latencyChangesBefore + 1);
    EXPECT_EQ(plugin->host().misuses(), 0);
}

// Fixed material, settings given as state and as events at offsets: the Linux run writes the
// state and the sound, the Windows run (under Wine) compares against them, so both modules
// are held to the same state bytes and the same sound.
TEST(ClapProcessing, StateAndSoundMatchAcrossPlatforms)
{
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    for (const auto& [id, value] : {std::pair{1u, 0.3}, {4u, 0.8}, {5u, 0.7}, {12u, 0.6}})
        plugin->inputEvents().addParamValue(0, id, value);
    ASSERT_TRUE(plugin->flushParams());
    const auto state = plugin->saveState();
    ASSERT_TRUE(state);
    ASSERT_TRUE(plugin->activate(44100.0, 1, kBlock) && plugin->startProcessing());
    StereoSignal signal = stereoNoise(48000, 0.6f);
    const std::vector<float> tone = sine(signal.left.size(), 440.0, 44100.0, 0.5f);
    for (std::size_t i = 0; i < tone.size(); ++i)
        signal.left[i] += tone[i];
    processInBlocks(*plugin, signal.left, signal.right, kBlock,
                    [](ClapPluginInstance& instance, std::size_t start)
                    {
                        if (start == 60 * kBlock)
                            instance.inputEvents().addParamValue(77, 2, 0.9);
                        if (start == 80 * kBlock)
                            instance.inputEvents().addParamValue(301, 0, 0.0);
                    });

    if (const char* outPath = std::getenv("VANTOR_CLAP_REFERENCE_OUT"))
    {
        std::ofstream out(outPath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(state->data()), static_cast<std::streamsize>(state->size()));
        out.write(reinterpret_cast<const char*>(signal.left.data()), signal.left.size() * sizeof(float));
        out.write(reinterpret_cast<const char*>(signal.right.data()), signal.right.size() * sizeof(float));
        ASSERT_TRUE(out.good());
    }
    if (const char* inPath = std::getenv("VANTOR_CLAP_REFERENCE_IN"))
    {
        std::ifstream in(inPath, std::ios::binary);
        ASSERT_TRUE(in.good()) << "no reference at " << inPath;
        std::vector<unsigned char> referenceState(state->size());
        in.read(reinterpret_cast<char*>(referenceState.data()), static_cast<std::streamsize>(referenceState.size()));
        std::vector<float> reference(signal.left.size() * 2);
        in.read(reinterpret_cast<char*>(reference.data()),
                static_cast<std::streamsize>(reference.size() * sizeof(float)));
        ASSERT_TRUE(in.good());
        EXPECT_EQ(*state, referenceState);
        for (std::size_t i = 0; i < signal.left.size(); ++i)
        {
            ASSERT_NEAR(signal.left[i], reference[i], 1e-6f) << i;
            ASSERT_NEAR(signal.right[i], reference[signal.left.size() + i], 1e-6f) << i;
        }
    }
}
