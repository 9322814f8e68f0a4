// Sound through the VST3 module as only VST3 gives it (what every format must do alike is in
// tests/formats): the restart a latency change needs, silence flags, and no process context
// asked for.
#include "Vst3TestSupport.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

constexpr std::size_t kBlock = 512;

// Noise, then a silent input the host flags silent; `unclearedSilence` leaves noise in the
// flagged buffers, as a host need not clear them. The output and its flags, block by block.
struct FlaggedRun
{
    StereoSignal output;
    std::vector<std::uint64_t> flags;
};
constexpr std::size_t kNoiseBlocks = 20;
constexpr std::size_t kSilentBlocks = 40;  // well past the tail

FlaggedRun runIntoFlaggedSilence(bool unclearedSilence)
{
    constexpr std::size_t kLength = kBlock * (kNoiseBlocks + kSilentBlocks);
    StereoSignal input = stereoNoise(kLength, 0.4f);
    if (!unclearedSilence)
    {
        std::fill(input.left.begin() + kBlock * kNoiseBlocks, input.left.end(), 0.0f);
        std::fill(input.right.begin() + kBlock * kNoiseBlocks, input.right.end(), 0.0f);
    }
    FlaggedRun run{{std::vector<float>(kLength), std::vector<float>(kLength)}, {}};
    auto effect = processingEffect(44100.0, kBlock);
    if (effect == nullptr)
        return run;
    Vst3StereoProcessData data;
    for (std::size_t start = 0; start < kLength; start += kBlock)
    {
        const float* in[2] = {input.left.data() + start, input.right.data() + start};
        float* out[2] = {run.output.left.data() + start, run.output.right.data() + start};
        const std::uint64_t silent = start >= kBlock * kNoiseBlocks ? 3u : 0u;
        vst3::ProcessData& call = data.prepare(in, out, static_cast<std::int32_t>(kBlock), silent);
        EXPECT_EQ(effect->processor()->vtable->process(effect->processor(), &call), vst3::kResultOk);
        run.flags.push_back(data.outputSilenceFlags());
    }
    return run;
}

bool allZeros(const std::vector<float>& samples, std::size_t start)
{
    return std::all_of(samples.begin() + static_cast<long>(start), samples.begin() + static_cast<long>(start + kBlock),
                       [](float sample) { return sample == 0.0f; });
}

bool hasRestart(Vst3PluginInstance& effect, std::int32_t flag)
{
    const auto& restarts = effect.componentHandler().restartRequests();
    return std::any_of(restarts.begin(), restarts.end(), [flag](std::int32_t flags) { return (flags & flag) != 0; });
}

}  // namespace

// The latency and its delay in the sound every format's suite checks (tests/formats); a
// host hears of a change of it through a restart, and the tail covers it.
TEST(Vst3Processing, ALatencyChangeAsksTheHostToRestart)
{
    for (float rate : {44100.0f, 48000.0f, 96000.0f})
    {
        SCOPED_TRACE(rate);
        auto effect = processingEffect(rate, kBlock);
        ASSERT_NE(effect, nullptr);
        vst3::IAudioProcessor* processor = effect->processor();
        EXPECT_GE(processor->vtable->getTailSamples(processor), processor->vtable->getLatencySamples(processor));
        // A new instance starts at 44.1 kHz: only a rate that changes the latency needs a restart.
        EXPECT_EQ(hasRestart(*effect, vst3::kLatencyChanged), rate > 63999.0f);
    }

    auto effect = processingEffect(96000.0, kBlock);
    ASSERT_NE(effect, nullptr);
    const std::size_t restartsAt96k = effect->componentHandler().restartRequests().size();
    ASSERT_EQ(effect->component()->vtable->setActive(effect->component(), 0), vst3::kResultOk);
    startProcessing(*effect, 44100.0, kBlock);
    EXPECT_EQ(effect->processor()->vtable->getLatencySamples(effect->processor()), 2049u);
    ASSERT_EQ(effect->componentHandler().restartRequests().size(), restartsAt96k + 1);
    EXPECT_EQ(effect->componentHandler().restartRequests().back(), vst3::kLatencyChanged);
    // Active again at the same rate: nothing new to tell.
    ASSERT_EQ(effect->component()->vtable->setActive(effect->component(), 0), vst3::kResultOk);
    startProcessing(*effect, 44100.0, kBlock);
    EXPECT_EQ(effect->componentHandler().restartRequests().size(), restartsAt96k + 1);
}

TEST(Vst3Processing, SilenceFlagsMarkExactlyTheOutputThatIsAllZeros)
{
    const FlaggedRun run = runIntoFlaggedSilence(false);
    ASSERT_EQ(run.flags.size(), kNoiseBlocks + kSilentBlocks);
    bool rangOn = false;
    for (std::size_t block = 0; block < run.flags.size(); ++block)
    {
        const std::size_t start = block * kBlock;
        const std::uint64_t zeros =
            (allZeros(run.output.left, start) ? 1u : 0u) | (allZeros(run.output.right, start) ? 2u : 0u);
        EXPECT_EQ(run.flags[block], zeros) << "block " << block;
        rangOn = rangOn || (block == kNoiseBlocks && zeros == 0);
    }
    // Silent input is not silent output: the delay and the overlap-add ring on first.
    EXPECT_TRUE(rangOn);
    EXPECT_EQ(run.flags.back(), 3u);

    // What a host leaves in a buffer it flags silent is never heard.
    const FlaggedRun uncleared = runIntoFlaggedSilence(true);
    EXPECT_TRUE(sameBits(uncleared.output, run.output));
    EXPECT_EQ(uncleared.flags, run.flags);
}

// Hosts ask a processor of SDK 3.7 or later which parts of the context to fill in.
TEST(Vst3Processing, TheProcessorAsksForNothingOfTheProcessContext)
{
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    auto* requirements = vst3::queryInterface<vst3::IProcessContextRequirements>(effect->processor(),
                                                                                 vst3::kIProcessContextRequirementsIid);
    ASSERT_NE(requirements, nullptr);
    // The effect reads none of it: every test here processes with no context at all.
    EXPECT_EQ(requirements->vtable->getProcessContextRequirements(requirements), 0u);
    vst3::release(requirements);
}
