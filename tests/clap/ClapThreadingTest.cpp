// A randomised sequence of calls that keeps to CLAP's threading contract: the main thread
// activates, saves, loads, reads and formats values while an audio thread processes blocks
// with parameter events at random offsets. Nothing may break the contract the other way
// (the host kit counts misuse), nothing may come out but finite sound, and under the
// ThreadSanitizer build no two threads may race.
#include "ClapTestSupport.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace
{

class Random
{
public:
    explicit Random(std::uint32_t seed) : state(seed) {}
    std::uint32_t below(std::uint32_t bound)
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
    double unit() { return below(1u << 20) / static_cast<double>(1u << 20); }

private:
    std::uint32_t state;
};

constexpr double kRates[] = {44100.0, 48000.0, 96000.0};
constexpr std::uint32_t kMaxBlock = 1024;

void audioThreadRun(ClapPluginInstance& plugin, std::uint32_t seed, std::atomic<bool>& allFinite)
{
    Random random(seed);
    StereoSignal signal = stereoNoise(kMaxBlock, 0.5f);
    if (!plugin.startProcessing())
        return;
    const std::uint32_t blocks = 20 + random.below(40);
    for (std::uint32_t block = 0; block < blocks; ++block)
    {
        const std::uint32_t frames = 1 + random.below(kMaxBlock);
        for (std::uint32_t event = random.below(6); event > 0; --event)
            plugin.inputEvents().addParamValue(random.below(frames), random.below(42), random.unit());
        if (random.below(25) == 0)
            plugin.reset();
        float* channels[2] = {signal.left.data(), signal.right.data()};
        plugin.process(channels, channels, frames);
        for (std::uint32_t i = 0; i < frames; ++i)
        {
            if (!std::isfinite(signal.left[i]) || !std::isfinite(signal.right[i]))
                allFinite = false;
            // Fresh input each time, so the effect never feeds on itself.
            signal.left[i] = 0.5f * std::sin(0.01f * static_cast<float>(i + block));
            signal.right[i] = 0.5f * std::cos(0.013f * static_cast<float>(i + block));
        }
    }
    plugin.stopProcessing();
}

void mainThreadWork(ClapPluginInstance& plugin, Random& random, const std::vector<unsigned char>& someState)
{
    const auto id = random.below(42);
    switch (random.below(7))
    {
    case 0: plugin.paramValue(id); break;
    case 1:
    {
        const auto text = plugin.valueToText(id, random.unit());
        if (text)
            plugin.textToValue(id, *text);
        break;
    }
    case 2: plugin.saveState(); break;
    case 3: plugin.loadState(someState, 1 + random.below(3000)); break;
    case 4: plugin.latency(); break;
    case 5: plugin.paramInfo(id); break;
    default: plugin.pumpMainThread(); break;
    }
}

}  // namespace

TEST(ClapThreading, RandomCallsKeepingTheContractNeverMisuseOrBreakTheSound)
{
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    const auto someState = plugin->saveState();
    ASSERT_TRUE(someState);
    Random random(20240611u);
    std::atomic<bool> allFinite{true};
    for (int round = 0; round < 12; ++round)
    {
        SCOPED_TRACE(round);
        const double rate = kRates[random.below(3)];
        ASSERT_TRUE(plugin->activate(rate, 1, kMaxBlock));
        std::atomic<bool> audioDone{false};
        std::thread audio(
            [&, seed = random.below(1u << 30)]
            {
                audioThreadRun(*plugin, seed, allFinite);
                audioDone = true;
            });
        while (!audioDone)
            mainThreadWork(*plugin, random, *someState);
        audio.join();
        // While inactive the main thread may also hand values over through a flush.
        plugin->deactivate();
        plugin->inputEvents().addParamValue(0, random.below(42), random.unit());
        EXPECT_TRUE(plugin->flushParams());
        for (int call = 0; call < 5; ++call)
            mainThreadWork(*plugin, random, *someState);
    }
    EXPECT_TRUE(allFinite);
    EXPECT_EQ(plugin->host().misuses(), 0);
}
