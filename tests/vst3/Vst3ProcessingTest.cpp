// Sound through the VST3 module: the same bits as the VST 2.4 module for the same changes,
// each change at its own sample, latency per rate with the restart a host needs, and every
// activation starting clean.
#include "Vst3TestSupport.h"
#include "host/PluginHost.h"
#include "host/VstSplitRender.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <utility>

namespace
{

constexpr std::size_t kBlock = 512;

// Changes over the first seconds: width, punch, sizzle, shape, gain, an equaliser point, Active.
const std::vector<BlockChange> kChangesAtBlockStarts = {
    {0, 0, 1, 0.9f},   {3, 0, 2, 0.8f},   {10, 0, 3, 0.6f},  {40, 0, 12, 0.2f}, {41, 0, 4, 0.3f},
    {90, 0, 5, 0.35f}, {120, 0, 1, 0.2f}, {150, 0, 0, 0.0f}, {170, 0, 0, 1.0f}, {200, 0, 39, 0.9f},
};

void renderWithVst3(StereoSignal& signal, const std::vector<BlockChange>& changes, double sampleRate)
{
    auto effect = processingEffect(sampleRate, kBlock);
    ASSERT_NE(effect, nullptr);
    processInBlocks(*effect, signal.left, signal.right, kBlock,
                    [&](Vst3ParameterChanges& queues, std::size_t start)
                    {
                        for (const BlockChange& change : changes)
                        {
                            if (change.block != start / kBlock)
                                continue;
                            ASSERT_TRUE(
                                queues.addPoint(change.id, static_cast<std::int32_t>(change.offset), change.value));
                        }
                    });
    EXPECT_EQ(effect->componentHandler().misuses(), 0);
}

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

TEST(Vst3Processing, ChangesAtOffsetZeroSoundBitIdenticalToTheVstModule)
{
    for (double rate : {44100.0, 96000.0})
    {
        StereoSignal vstSignal = stereoNoise(static_cast<std::size_t>(rate * 3), 0.4f);
        StereoSignal vst3Signal = vstSignal;
        renderWithVstSplitting(vstSignal, kChangesAtBlockStarts, static_cast<float>(rate), kBlock);
        renderWithVst3(vst3Signal, kChangesAtBlockStarts, rate);
        EXPECT_TRUE(sameBits(vst3Signal.left, vstSignal.left)) << rate;
        EXPECT_TRUE(sameBits(vst3Signal.right, vstSignal.right)) << rate;
    }
}

TEST(Vst3Processing, AChangeAtOffsetKTakesEffectAtSampleK)
{
    // Past the latency, so the narrowing (which follows the width from the next sample) has
    // sound to act on.
    constexpr std::size_t kBlockOfChange = 10;
    const StereoSignal input = stereoNoise(kBlock * 16, 0.4f);
    StereoSignal unchanged = input;
    renderWithVst3(unchanged, {}, 44100.0);
    for (std::uint32_t offset : {1u, 137u, 511u})
    {
        SCOPED_TRACE(offset);
        const std::vector<BlockChange> changes = {{kBlockOfChange, offset, 1, 0.1f}};
        StereoSignal changed = input;
        renderWithVst3(changed, changes, 44100.0);
        const std::size_t at = kBlockOfChange * kBlock + offset;
        const auto before = static_cast<long>(at);
        EXPECT_TRUE(sameBits(std::vector<float>(changed.left.begin(), changed.left.begin() + before),
                             std::vector<float>(unchanged.left.begin(), unchanged.left.begin() + before)));
        EXPECT_NE(changed.left[at], unchanged.left[at]);
        StereoSignal vstSplit = input;
        renderWithVstSplitting(vstSplit, changes, 44100.0f, kBlock);
        EXPECT_TRUE(sameBits(changed.left, vstSplit.left));
        EXPECT_TRUE(sameBits(changed.right, vstSplit.right));
    }
}

TEST(Vst3Processing, PointsOfSeveralParametersApplyInTheOrderOfTheirOffsets)
{
    // The queues come per parameter; the width's points straddle the gain's.
    const std::vector<BlockChange> inQueueOrder = {
        {10, 40, 1, 0.2f}, {10, 300, 1, 0.8f}, {10, 100, 5, 0.3f}, {10, 450, 5, 0.6f}, {11, 0, 2, 0.9f}};
    std::vector<BlockChange> inTimeOrder = inQueueOrder;
    std::stable_sort(inTimeOrder.begin(), inTimeOrder.end(),
                     [](const BlockChange& a, const BlockChange& b)
                     { return a.block != b.block ? a.block < b.block : a.offset < b.offset; });
    const StereoSignal input = stereoNoise(kBlock * 16, 0.4f);
    StereoSignal vst3Signal = input;
    StereoSignal vstSignal = input;
    renderWithVst3(vst3Signal, inQueueOrder, 44100.0);
    renderWithVstSplitting(vstSignal, inTimeOrder, 44100.0f, kBlock);
    EXPECT_TRUE(sameBits(vst3Signal.left, vstSignal.left));
    EXPECT_TRUE(sameBits(vst3Signal.right, vstSignal.right));
}

TEST(Vst3Processing, LatencyIsTheDelayOfTheSoundAtEveryRateAndAChangeAsksTheHostToRestart)
{
    for (float rate : {44100.0f, 48000.0f, 96000.0f})
    {
        SCOPED_TRACE(rate);
        EffectInstance vst;
        vst.resumeAt(rate);
        auto effect = processingEffect(rate, kBlock);
        ASSERT_NE(effect, nullptr);
        vst3::IAudioProcessor* processor = effect->processor();
        const std::uint32_t latency = processor->vtable->getLatencySamples(processor);
        EXPECT_EQ(latency, static_cast<std::uint32_t>(vst.effect()->initialDelay));
        EXPECT_GE(processor->vtable->getTailSamples(processor), latency);
        // The delay the host compensates is the sound's, to the sample.
        const StereoSignal input = stereoNoise(6 * latency, 0.4f);
        StereoSignal output = input;
        renderWithVst3(output, {}, rate);
        EXPECT_TRUE(delayedCopy(input.left, output.left, latency, 2 * latency));
        EXPECT_TRUE(delayedCopy(input.right, output.right, latency, 2 * latency));
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
    EXPECT_TRUE(sameBits(uncleared.output.left, run.output.left));
    EXPECT_TRUE(sameBits(uncleared.output.right, run.output.right));
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

TEST(Vst3Processing, EveryActivationStartsClean)
{
    auto effect = processingEffect(44100.0, kBlock);
    ASSERT_NE(effect, nullptr);
    vst3::IComponent* component = effect->component();
    vst3::IAudioProcessor* processor = effect->processor();
    StereoSignal first = stereoNoise(44100, 0.4f);
    processInBlocks(*effect, first.left, first.right, kBlock);
    // Again at the same rate without a new setup, then at another rate after one.
    for (double rate : {44100.0, 96000.0})
    {
        SCOPED_TRACE(rate);
        ASSERT_EQ(processor->vtable->setProcessing(processor, 0), vst3::kResultOk);
        ASSERT_EQ(component->vtable->setActive(component, 0), vst3::kResultOk);
        if (rate == 44100.0)
        {
            ASSERT_EQ(component->vtable->setActive(component, 1), vst3::kResultOk);
            ASSERT_EQ(processor->vtable->setProcessing(processor, 1), vst3::kResultOk);
        }
        else
        {
            startProcessing(*effect, rate, kBlock);
        }
        StereoSignal again = stereoNoise(static_cast<std::size_t>(rate), 0.3f);
        StereoSignal fresh = again;
        processInBlocks(*effect, again.left, again.right, kBlock);
        renderWithVst3(fresh, {}, rate);
        EXPECT_TRUE(sameBits(again.left, fresh.left));
        EXPECT_TRUE(sameBits(again.right, fresh.right));
    }
    EXPECT_EQ(effect->componentHandler().misuses(), 0);
}

// Fixed material, settings given as state and as points at offsets: the Linux run writes the
// state and the sound, the Windows run (under Wine) compares against them, so both modules
// are held to the same state bytes and the same sound.
TEST(Vst3Processing, StateAndSoundMatchAcrossPlatforms)
{
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    vst3::IEditController* controller = effect->controller();
    for (const auto& [id, value] : {std::pair{1u, 0.3}, {4u, 0.8}, {5u, 0.7}, {12u, 0.6}})
        ASSERT_EQ(controller->vtable->setParamNormalized(controller, id, value), vst3::kResultOk);
    const std::vector<unsigned char> state = savedState(*effect);
    ASSERT_EQ(state.size(), 2724u);
    startProcessing(*effect, 44100.0, kBlock);
    StereoSignal signal = stereoNoise(48000, 0.6f);
    const std::vector<float> tone = sine(signal.left.size(), 440.0, 44100.0, 0.5f);
    for (std::size_t i = 0; i < tone.size(); ++i)
        signal.left[i] += tone[i];
    processInBlocks(*effect, signal.left, signal.right, kBlock,
                    [](Vst3ParameterChanges& queues, std::size_t start)
                    {
                        if (start == 60 * kBlock)
                            queues.addPoint(2, 77, 0.9);
                        if (start == 80 * kBlock)
                            queues.addPoint(0, 301, 0.0);
                    });

    if (const char* outPath = std::getenv("VANTOR_VST3_REFERENCE_OUT"))
    {
        std::ofstream out(outPath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(state.data()), static_cast<std::streamsize>(state.size()));
        out.write(reinterpret_cast<const char*>(signal.left.data()), signal.left.size() * sizeof(float));
        out.write(reinterpret_cast<const char*>(signal.right.data()), signal.right.size() * sizeof(float));
        ASSERT_TRUE(out.good());
    }
    if (const char* inPath = std::getenv("VANTOR_VST3_REFERENCE_IN"))
    {
        std::ifstream in(inPath, std::ios::binary);
        ASSERT_TRUE(in.good()) << "no reference at " << inPath;
        std::vector<unsigned char> referenceState(state.size());
        in.read(reinterpret_cast<char*>(referenceState.data()), static_cast<std::streamsize>(referenceState.size()));
        std::vector<float> reference(signal.left.size() * 2);
        in.read(reinterpret_cast<char*>(reference.data()),
                static_cast<std::streamsize>(reference.size() * sizeof(float)));
        ASSERT_TRUE(in.good());
        EXPECT_EQ(state, referenceState);
        for (std::size_t i = 0; i < signal.left.size(); ++i)
        {
            ASSERT_NEAR(signal.left[i], reference[i], 1e-6f) << i;
            ASSERT_NEAR(signal.right[i], reference[signal.left.size() + i], 1e-6f) << i;
        }
    }
}
