// The whole engine, as the host's audio thread drives it: realtime factor (seconds of
// 44.1 kHz stereo audio per CPU second, one core) and the worst single 64-sample block.

#include "engine/EngineHost.h"
#include "engine/ParameterTable.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

namespace
{

constexpr float kRate = 44100.0f;
constexpr std::size_t kSeconds = 10;

enum class Settings
{
    Defaults,
    EveryFeature,
};

void post(EngineHost& host, int index, float value)
{
    host.storeParameter(index, value);
    host.Post(index, value);
}

std::unique_ptr<EngineHost> engineWith(Settings settings)
{
    auto host = EngineHost::create();
    for (int i = 0; i < kNumParameters; ++i)
        post(*host, i, host->storedParameter(i));
    if (settings == Settings::EveryFeature)
    {
        post(*host, kParamStereoWidth, 0.9f);
        post(*host, kParamPunch, 0.9f);
        post(*host, kParamSizzle, 0.8f);
        post(*host, kParamShape, 0.7f);
        post(*host, kParamGain, 0.6f);
        post(*host, kParamEqNum, 0.5f);
        post(*host, kParamEqGain, 0.8f);
    }
    host->changeSampleRate(0, kRate);
    host->RebuildEqualiser();
    return host;
}

// Drums-and-noise material, so onsets and steady frames both occur.
std::vector<float> material(std::size_t length, unsigned seed)
{
    std::vector<float> samples(length);
    unsigned state = seed;
    for (std::size_t i = 0; i < length; ++i)
    {
        state = state * 1664525u + 1013904223u;
        const float hiss = static_cast<float>(state >> 9) / 8388608.0f - 0.5f;
        const float beat = std::exp(-static_cast<float>(i % 11025) / 2000.0f);
        samples[i] = 0.3f * beat * std::sin(0.0085f * static_cast<float>(i)) + 0.1f * hiss;
    }
    return samples;
}

void processAll(EngineHost& host, std::vector<float>& left, std::vector<float>& right, std::size_t block)
{
    for (std::size_t start = 0; start < left.size(); start += block)
    {
        float* channels[2] = {left.data() + start, right.data() + start};
        host.processBlock(channels, channels, 2, static_cast<int>(std::min(block, left.size() - start)));
    }
}

void BM_EngineRealtimeFactor(benchmark::State& state)
{
    const auto settings = static_cast<Settings>(state.range(0));
    auto host = engineWith(settings);
    const std::vector<float> sourceLeft = material(kSeconds * 44100, 1);
    const std::vector<float> sourceRight = material(kSeconds * 44100, 2);
    std::vector<float> left, right;
    for (auto _ : state)
    {
        state.PauseTiming();
        left = sourceLeft;
        right = sourceRight;
        state.ResumeTiming();
        processAll(*host, left, right, 512);
        benchmark::DoNotOptimize(left.data());
    }
    state.counters["realtime_x"] =
        benchmark::Counter(static_cast<double>(kSeconds) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.SetLabel(settings == Settings::Defaults ? "default settings" : "every feature active");
}

void BM_EngineWorstBlock(benchmark::State& state)
{
    auto host = engineWith(Settings::EveryFeature);
    std::vector<float> left = material(kSeconds * 44100, 3);
    std::vector<float> right = material(kSeconds * 44100, 4);
    double worstMicroseconds = 0.0;
    for (auto _ : state)
    {
        for (std::size_t start = 0; start + 64 <= left.size(); start += 64)
        {
            float* channels[2] = {left.data() + start, right.data() + start};
            const auto begin = std::chrono::steady_clock::now();
            host->processBlock(channels, channels, 2, 64);
            const auto end = std::chrono::steady_clock::now();
            worstMicroseconds =
                std::max(worstMicroseconds, std::chrono::duration<double, std::micro>(end - begin).count());
        }
    }
    state.counters["worst_64_block_us"] = worstMicroseconds;
}

}  // namespace

BENCHMARK(BM_EngineRealtimeFactor)->Arg(static_cast<int>(Settings::Defaults))->Arg(static_cast<int>(Settings::EveryFeature))->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineWorstBlock)->Iterations(3)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
