// Sound through every format: the same bits as the VST 2.4 module for the same changes,
// each change where the format puts it, the latency it reports as the sound's delay, a
// restart sounding as a new instance, and the same state and sound on every platform.
#include "FormatRows.h"
#include "host/PluginHost.h"

namespace
{

constexpr std::size_t kBlock = 512;

// Changes over the first seconds, each at its block's start: Width, Punch, Sizzle, an
// equaliser point, Shape, the point count, Gain, Active off and on again, the range.
const std::vector<BlockChange> kChanges = {
    {0, 0, 1, 0.9f},   {3, 0, 2, 0.8f},   {10, 0, 3, 0.6f},  {40, 0, 12, 0.2f}, {41, 0, 4, 0.3f},  {45, 0, 6, 0.25f},
    {90, 0, 5, 0.35f}, {120, 0, 1, 0.2f}, {150, 0, 0, 0.0f}, {170, 0, 0, 1.0f}, {200, 0, 39, 0.9f},
};

using FormatProcessing = FormatCase;

}  // namespace

TEST_P(FormatProcessing, AtDefaultsAndWithChangesItSoundsBitIdenticalToTheVstModule)
{
    if (GetParam().isTheReference)
        GTEST_SKIP() << "the VST 2.4 module is what this compares with";
    for (double rate : {44100.0, 96000.0})
    {
        SCOPED_TRACE(rate);
        const StereoSignal input = stereoNoise(static_cast<std::size_t>(rate * 3), 0.4f);
        for (const std::vector<BlockChange>& changes : {std::vector<BlockChange>{}, kChanges})
        {
            StereoSignal fromVst = input;
            renderWithVstSplitting(fromVst, changes, static_cast<float>(rate), kBlock);
            EXPECT_TRUE(sameBits(renderedByNew(input, kBlock, changes, rate), fromVst)) << changes.size() << " changes";
        }
    }
}

// At its sample where the format carries offsets in a block, else at the block's start.
TEST_P(FormatProcessing, AChangeTakesEffectWhereTheFormatPutsIt)
{
    // Past the latency, so the narrowing (which follows the width from the next sample) has
    // sound to act on.
    constexpr std::size_t kBlockOfChange = 10;
    const StereoSignal input = stereoNoise(kBlock * 16, 0.4f);
    const StereoSignal unchanged = renderedByNew(input, kBlock, {});
    const auto offsets = GetParam().sampleAccurateChanges ? std::vector<std::uint32_t>{1, 137, 511}
                                                          : std::vector<std::uint32_t>{0};
    for (std::uint32_t offset : offsets)
    {
        SCOPED_TRACE(offset);
        const std::vector<BlockChange> changes = {{kBlockOfChange, offset, 1, 0.1f}};
        const StereoSignal changed = renderedByNew(input, kBlock, changes);
        const auto at = static_cast<long>(kBlockOfChange * kBlock + offset);
        EXPECT_TRUE(sameBits(std::vector<float>(changed.left.begin(), changed.left.begin() + at),
                             std::vector<float>(unchanged.left.begin(), unchanged.left.begin() + at)));
        EXPECT_NE(changed.left[static_cast<std::size_t>(at)], unchanged.left[static_cast<std::size_t>(at)]);
        // The same as a VST host splitting its block at that sample.
        StereoSignal vstSplit = input;
        renderWithVstSplitting(vstSplit, changes, 44100.0f, kBlock);
        EXPECT_TRUE(sameBits(changed, vstSplit));
    }
}

// Changes of several parameters in one block, each parameter's in a queue of its own where
// the format keeps them so (VST3): the width's straddle Active's, both heard from their sample.
TEST_P(FormatProcessing, ChangesOfSeveralParametersApplyInTheOrderOfTheirOffsets)
{
    if (GetParam().isTheReference)
        GTEST_SKIP() << "the VST 2.4 module is what this compares with";
    const auto at = [&](std::uint32_t offset) { return GetParam().sampleAccurateChanges ? offset : 0u; };
    const std::vector<BlockChange> changes = {
        {10, at(40), 1, 0.2f}, {10, at(100), 0, 0.0f}, {10, at(300), 1, 0.8f}, {10, at(450), 0, 1.0f}, {11, 0, 2, 0.9f}};
    const StereoSignal input = stereoNoise(kBlock * 16, 0.4f);
    StereoSignal fromVst = input;
    renderWithVstSplitting(fromVst, changes, 44100.0f, kBlock);
    EXPECT_TRUE(sameBits(renderedByNew(input, kBlock, changes), fromVst));
}

// A host's delay compensation lines the track up by what the effect reports: one sample off
// and a blend with its dry copy loses the top octave.
TEST_P(FormatProcessing, LatencyIsTheDelayOfTheSoundAtEveryRateAsTheVstModuleReportsIt)
{
    for (double rate : {44100.0, 48000.0, 96000.0})
    {
        SCOPED_TRACE(rate);
        EffectInstance vst;
        vst.resumeAt(static_cast<float>(rate));
        auto module = made(rate);
        ASSERT_NE(module, nullptr);
        module->start(kBlock);
        const std::uint32_t latency = module->latency();
        EXPECT_EQ(latency, static_cast<std::uint32_t>(vst.effect()->initialDelay));
        const StereoSignal input = stereoNoise(6 * latency, 0.4f);
        StereoSignal output = input;
        module->process(output, kBlock, {});
        EXPECT_TRUE(delayedCopy(input.left, output.left, latency, 2 * latency));
        EXPECT_TRUE(delayedCopy(input.right, output.right, latency, 2 * latency));
    }
}

// Stopped and started again, at the same rate and at another where the format does either,
// it sounds as a new instance at that rate: nothing of what it played before is left.
TEST_P(FormatProcessing, RestartedItSoundsAsIfNew)
{
    auto module = made(44100.0);
    ASSERT_NE(module, nullptr);
    module->start(kBlock);
    StereoSignal first = stereoNoise(44100, 0.4f);
    module->process(first, kBlock, {});
    std::vector<double> rates;
    if (GetParam().restartsCleanAtTheSameRate)
        rates.push_back(44100.0);
    if (GetParam().restartsAtAnotherRate)
        rates.push_back(96000.0);
    for (double rate : rates)
    {
        SCOPED_TRACE(rate);
        module->restartAt(rate, kBlock);
        auto fresh = made(rate);
        ASSERT_NE(fresh, nullptr);
        fresh->start(kBlock);
        EXPECT_EQ(module->latency(), fresh->latency());
        StereoSignal again = stereoNoise(static_cast<std::size_t>(rate), 0.3f);
        StereoSignal asNew = again;
        module->process(again, kBlock, {});
        fresh->process(asNew, kBlock, {});
        EXPECT_TRUE(sameBits(again, asNew));
    }
}

// Fixed material, a setting given as values before the state is saved and changes while it
// plays: the Linux run keeps the state and the sound, and the Windows run must match them.
TEST_P(FormatProcessing, StateAndSoundMatchAcrossPlatforms)
{
    auto module = made();
    ASSERT_NE(module, nullptr);
    module->setValues({{1, 0.3f}, {4, 0.8f}, {5, 0.7f}, {12, 0.6f}});
    const auto state = module->saveState();
    ASSERT_TRUE(state);
    ASSERT_EQ(state->size(), 2724u);
    module->start(kBlock);
    StereoSignal signal = stereoNoise(48000, 0.6f);
    const std::vector<float> tone = sine(signal.left.size(), 440.0, 44100.0, 0.5f);
    for (std::size_t i = 0; i < tone.size(); ++i)
        signal.left[i] += tone[i];
    const bool atSample = GetParam().sampleAccurateChanges;
    module->process(signal, kBlock, {{60, atSample ? 77u : 0u, 2, 0.9f}, {80, atSample ? 301u : 0u, 0, 0.0f}});
    keepOrCompareReference(referenceFile("reference"), *state, signal);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatProcessing, ::testing::ValuesIn(formatRows()), rowName);
