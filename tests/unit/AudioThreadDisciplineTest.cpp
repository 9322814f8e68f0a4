// The audio thread must never allocate or lock: the heap calls and mutex locks made on the
// watched thread are counted (support/AudioThreadWatch.h).

#include "ClapEventList.h"
#include "ClapHost.h"
#include "Vst3StereoProcessData.h"
#include "clapshell/ClapEffect.h"
#include "shell/EffectVST.h"
#include "support/AudioThreadWatch.h"
#include "support/SilentHost.h"
#include "vst3shell/Vst3Effect.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

TEST(AudioThreadDiscipline, TheCountersSeeAllocationsAndLocks)
{
    EXPECT_TRUE(watchSeesAProbe());
}

TEST(AudioThreadDiscipline, ProcessReplacingNeitherAllocatesNorLocks)
{
    auto* effect = new EffectVST(silentHost);
    effect->setSampleRate(48000.0f);
    effect->resume();
    // With the live displays' analyses running, as while the editor is open.
    effect->engineHost()->setDisplayWanted(true);
    std::vector<float> left(64 * 700), right(64 * 700);
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        left[i] = static_cast<float>((i * 7919) % 1000) / 1000.0f - 0.5f;
        right[i] = -left[i];
    }
    watchedHeapCalls = 0;
    watchedLockCalls = 0;
    for (std::size_t block = 0; block < 700; ++block)
    {
        // Changes that make the audio thread rebuild the curve, fade and reshape.
        if (block % 50 == 0)
        {
            effect->setParameter(kParamEqGain, static_cast<float>(block % 7) / 7.0f);
            effect->setParameter(kParamInternal0, 1.0f);
            effect->setParameter(eqPointYIndex(1), static_cast<float>(block % 3) / 3.0f);
            effect->setParameter(kParamActive, (block / 50) % 2 == 0 ? 0.0f : 1.0f);
            effect->setParameter(kParamPunch, 1.0f);
            effect->setParameter(kParamStereoWidth, 1.0f);
        }
        float* inputs[2] = {left.data() + 64 * block, right.data() + 64 * block};
        watchingThisThread = true;
        effect->processReplacing(inputs, inputs, 64);
        watchingThisThread = false;
    }
    EXPECT_EQ(watchedHeapCalls.load(), 0);
    EXPECT_EQ(watchedLockCalls.load(), 0);
    AEffect* record = effect->getAeffect();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

TEST(AudioThreadDiscipline, ClapProcessWithEventsAtOffsetsNeitherAllocatesNorLocks)
{
    ClapHost host;
    ClapEffect effect(host.host(), clap::Plugin{});
    ASSERT_TRUE(effect.init());
    ASSERT_TRUE(effect.activate(48000.0));
    ASSERT_TRUE(effect.startProcessing());
    std::vector<float> left(256 * 200), right(256 * 200);
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        left[i] = static_cast<float>((i * 7919) % 1000) / 1000.0f - 0.5f;
        right[i] = -left[i];
    }
    ClapEventList in;
    ClapEventList out;
    watchedHeapCalls = 0;
    watchedLockCalls = 0;
    for (std::size_t block = 0; block < 200; ++block)
    {
        // Changes inside the block split it; these also make the audio thread rebuild the
        // curve, fade and reshape.
        if (block % 20 == 0)
        {
            in.addParamValue(3, kParamEqGain, static_cast<double>(block % 7) / 7.0);
            in.addParamValue(17, eqPointYIndex(1), static_cast<double>(block % 3) / 3.0);
            in.addParamValue(100, kParamActive, (block / 20) % 2 == 0 ? 0.0 : 1.0);
            in.addParamValue(255, kParamStereoWidth, 1.0);
        }
        float* channels[2] = {left.data() + 256 * block, right.data() + 256 * block};
        const clap::AudioBuffer input{channels, nullptr, 2, 0, 0};
        clap::AudioBuffer output{channels, nullptr, 2, 0, 0};
        const clap::Process process{-1, 256, nullptr, &input, &output, 1, 1, in.inputEvents(), out.outputEvents()};
        watchingThisThread = true;
        const clap::ProcessStatus status = effect.process(process);
        watchingThisThread = false;
        ASSERT_EQ(status, clap::kProcessContinue);
        in.clear();
    }
    EXPECT_EQ(watchedHeapCalls.load(), 0);
    EXPECT_EQ(watchedLockCalls.load(), 0);
    effect.stopProcessing();
    effect.deactivate();
}

TEST(AudioThreadDiscipline, Vst3ProcessWithChangesAtOffsetsNeitherAllocatesNorLocks)
{
    Vst3Effect* effect = Vst3Effect::create();
    ASSERT_NE(effect, nullptr);
    Vst3StereoProcessData data;
    const vst3::ProcessSetup setup = data.setup(48000.0, 256);
    ASSERT_EQ(effect->initialize(nullptr), vst3::kResultOk);
    ASSERT_EQ(effect->setupProcessing(setup), vst3::kResultOk);
    ASSERT_EQ(effect->setActive(true), vst3::kResultOk);
    std::vector<float> left(256 * 200), right(256 * 200);
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        left[i] = static_cast<float>((i * 7919) % 1000) / 1000.0f - 0.5f;
        right[i] = -left[i];
    }
    watchedHeapCalls = 0;
    watchedLockCalls = 0;
    for (std::size_t block = 0; block < 200; ++block)
    {
        // Points inside the block split it; these also make the audio thread rebuild the
        // curve, fade and reshape.
        data.inputChanges().clear();
        if (block % 20 == 0)
        {
            data.inputChanges().addPoint(kParamEqGain, 3, static_cast<double>(block % 7) / 7.0);
            data.inputChanges().addPoint(eqPointYIndex(1), 17, static_cast<double>(block % 3) / 3.0);
            data.inputChanges().addPoint(kParamActive, 100, (block / 20) % 2 == 0 ? 0.0 : 1.0);
            data.inputChanges().addPoint(kParamStereoWidth, 255, 1.0);
        }
        float* channels[2] = {left.data() + 256 * block, right.data() + 256 * block};
        vst3::ProcessData& call = data.prepare(channels, channels, 256);
        watchingThisThread = true;
        const vst3::tresult result = effect->process(call);
        watchingThisThread = false;
        ASSERT_EQ(result, vst3::kResultOk);
    }
    EXPECT_EQ(watchedHeapCalls.load(), 0);
    EXPECT_EQ(watchedLockCalls.load(), 0);
    effect->setActive(false);
    effect->terminate();
    effect->release();
}
