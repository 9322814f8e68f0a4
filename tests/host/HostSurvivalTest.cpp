#include "HostEffect.h"
#include "support/TestSignals.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace
{

using HostSurvival = HostEffect;

TEST_F(HostSurvival, OddButLegalCallOrders)
{
    EXPECT_EQ(instance.dispatch(effGetPlugCategory), 1) << "before effOpen";
    instance.dispatch(effEditClose);
    instance.dispatch(effEditClose);
    instance.dispatch(effEditIdle);
    instance.dispatch(effOpen);
    EXPECT_EQ(instance.dispatch(effEditOpen, 0, 0, nullptr), 0);
    instance.dispatch(effEditClose);
    instance.dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(instance.close(), 1) << "closed without ever resuming";
}

TEST_F(HostSurvival, ProcessingBeforeAnyResumeWorks)
{
    StereoSignal signal = stereoNoise(6000, 0.5f);
    instance.process(signal.left, signal.right);
    for (float sample : signal.left)
        ASSERT_TRUE(std::isfinite(sample));
}

double stressSeconds()
{
    const char* value = std::getenv("VANTOR_STRESS_SECONDS");
    return value != nullptr ? std::atof(value) : 2.0;
}

// One thread processes while others hammer parameters (two automation threads), chunks and
// sample-rate changes, as hosts do from their audio, automation and UI threads.
TEST_F(HostSurvival, ConcurrentProcessingAndControlStress)
{
    instance.resumeAt(44100.0f);
    const auto bank = instance.chunk(false);
    std::atomic<bool> stop{false};
    std::atomic<bool> outputFinite{true};
    std::atomic<bool> chunksSaved{true};
    std::atomic<long> blocks{0};

    std::thread audio(
        [&]
        {
            StereoSignal signal = stereoNoise(256, 0.5f);
            AEffect* effect = instance.effect();
            while (!stop.load())
            {
                StereoSignal block = signal;
                float* channels[2] = {block.left.data(), block.right.data()};
                effect->processReplacing(effect, channels, channels, 256);
                for (float sample : block.left)
                {
                    if (!std::isfinite(sample))
                        outputFinite = false;
                }
                ++blocks;
            }
        });
    const auto automate = [&](unsigned seed)
    {
        unsigned state = seed;
        while (!stop.load())
        {
            state = state * 1103515245u + 12345u;
            instance.setParameter(static_cast<VstInt32>(state % 44), static_cast<float>(state % 1000) / 1000.0f);
            // Now and then a chunk is saved while the values move.
            if (state % 64 == 0 && instance.chunk(state % 128 == 0).empty())
                chunksSaved = false;
        }
    };
    std::thread automation(automate, 7u);
    std::thread moreAutomation(automate, 11u);
    std::thread userInterface(
        [&]
        {
            bool high = false;
            while (!stop.load())
            {
                instance.restore(bank, false);
                instance.dispatch(effMainsChanged, 0, 0);
                instance.dispatch(effSetSampleRate, 0, 0, nullptr, high ? 96000.0f : 44100.0f);
                instance.dispatch(effMainsChanged, 0, 1);
                high = !high;
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });

    std::this_thread::sleep_for(std::chrono::duration<double>(stressSeconds()));
    stop = true;
    audio.join();
    automation.join();
    moreAutomation.join();
    userInterface.join();
    EXPECT_TRUE(outputFinite.load());
    EXPECT_TRUE(chunksSaved.load());
    EXPECT_GT(blocks.load(), 10);
}

}  // namespace
