// The audio thread must never allocate or lock: the heap calls and mutex locks made on the
// watched thread are counted (support/AudioThreadWatch.h). Here the VST 2.4 shell in the
// program, with the live displays' analyses running; every format's module with changes at
// offsets, in tests/formats.

#include "shell/EffectVST.h"
#include "support/AudioThreadWatch.h"
#include "support/SilentHost.h"

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
