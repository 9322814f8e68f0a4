// The stereo scope's cost on the audio thread: one StereoImageMeter alone, in ns per stereo
// sample. What it adds to the whole engine with an editor open is in engine_bench.

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

}  // namespace

BENCHMARK(BM_StereoImageMeter)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
