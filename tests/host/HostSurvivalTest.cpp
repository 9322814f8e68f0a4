#include "PluginHost.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace
{

class HostSurvival : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(PluginModule::shared().loaded()) << PluginModule::shared().error(); }
};

TEST_F(HostSurvival, OddButLegalCallOrders)
{
    EffectInstance instance;
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
    EffectInstance instance;
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

// One thread processes while others hammer parameters, chunks and sample-rate changes,
// as hosts do from their audio, automation and UI threads.
TEST_F(HostSurvival, ConcurrentProcessingAndControlStress)
{
    EffectInstance instance;
    instance.resumeAt(44100.0f);
    const auto bank = instance.chunk(false);
    std::atomic<bool> stop{false};
    std::atomic<bool> outputFinite{true};
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
    std::thread automation(
        [&]
        {
            unsigned state = 7;
            while (!stop.load())
            {
                state = state * 1103515245u + 12345u;
                instance.setParameter(static_cast<VstInt32>(state % 44), static_cast<float>(state % 1000) / 1000.0f);
            }
        });
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
    userInterface.join();
    EXPECT_TRUE(outputFinite.load());
    EXPECT_GT(blocks.load(), 10);
}

}  // namespace
