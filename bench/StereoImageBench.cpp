// The stereo scope's cost on the audio thread: one StereoImageMeter alone (ns per stereo
// sample), and the whole engine with the editor's displays wanted or not, so the difference
// shows what an open editor's analyses add (the spectrum's included).

#include "EngineBenchSupport.h"
#include "engine/StereoImageMeter.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace
{

constexpr std::size_t kSeconds = 10;
constexpr std::size_t kBlock = 512;

void BM_StereoImageMeter(benchmark::State& state)
{
    const std::vector<float> left = engineBenchMaterial(kSeconds * 44100, 1);
    const std::vector<float> right = engineBenchMaterial(kSeconds * 44100, 2);
    auto meter = std::make_unique<StereoImageMeter>();
    if (!meter->prepare(kEngineBenchRate))
    {
        state.SkipWithError("no memory for the meter");
        return;
    }
    auto reading = std::make_unique<StereoImageReading>();
    for (auto _ : state)
    {
        for (std::size_t start = 0; start + kBlock <= left.size(); start += kBlock)
            meter->analyse(left.data() + start, right.data() + start, static_cast<int>(kBlock));
        meter->read(*reading);
        benchmark::DoNotOptimize(reading->correlationFast);
    }
    state.counters["ns_per_sample"] =
        benchmark::Counter(static_cast<double>(left.size()) * static_cast<double>(state.iterations()) * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_EngineWithDisplaysWanted(benchmark::State& state)
{
    const bool wanted = state.range(0) != 0;
    auto host = engineWith(EngineBenchSettings::Defaults);
    host->setDisplayWanted(wanted);
    const std::vector<float> sourceLeft = engineBenchMaterial(kSeconds * 44100, 1);
    const std::vector<float> sourceRight = engineBenchMaterial(kSeconds * 44100, 2);
    std::vector<float> left, right;
    for (auto _ : state)
    {
        state.PauseTiming();
        left = sourceLeft;
        right = sourceRight;
        state.ResumeTiming();
        processAll(*host, left, right, kBlock);
        benchmark::DoNotOptimize(left.data());
    }
    state.counters["ns_per_sample"] =
        benchmark::Counter(static_cast<double>(sourceLeft.size()) * static_cast<double>(state.iterations()) * 1e-9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(wanted ? "editor open" : "editor closed");
}

}  // namespace

BENCHMARK(BM_StereoImageMeter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineWithDisplaysWanted)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
