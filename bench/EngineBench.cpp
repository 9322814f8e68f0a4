// The whole engine, as the host's audio thread drives it: realtime factor (seconds of
// 44.1 kHz stereo audio per CPU second, one core) with the editor closed and open (its
// displays' analyses, spectrum and stereo image, running too), and for 64-sample blocks the same
// factor beside the 99th percentile of the block times. The worst block is shown too,
// but on a shared machine it mostly measures interruptions by other processes.
//
// Instructions per hop, which load on the machine does not change, come from
// bench/count-engine-instructions.sh (callgrind on engine_hop_instructions).

#include "EngineBenchSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace
{

constexpr std::size_t kSeconds = 10;
constexpr std::size_t kSmallBlock = 64;

const char* labelOf(EngineBenchSettings settings)
{
    return settings == EngineBenchSettings::Defaults ? "default settings" : "every feature active";
}

void BM_EngineRealtimeFactor(benchmark::State& state)
{
    const auto settings = static_cast<EngineBenchSettings>(state.range(0));
    const bool editorOpen = state.range(1) != 0;
    auto host = engineWith(settings);
    host->setDisplayWanted(editorOpen);
    const std::vector<float> sourceLeft = engineBenchMaterial(kSeconds * 44100, 1);
    const std::vector<float> sourceRight = engineBenchMaterial(kSeconds * 44100, 2);
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
    state.counters["realtime_x"] = benchmark::Counter(
        static_cast<double>(kSeconds) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(std::string(labelOf(settings)) + (editorOpen ? ", editor open" : ", editor closed"));
}

void BM_EngineSmallBlocks(benchmark::State& state)
{
    const auto settings = static_cast<EngineBenchSettings>(state.range(0));
    auto host = engineWith(settings);
    const std::vector<float> sourceLeft = engineBenchMaterial(kSeconds * 44100, 3);
    const std::vector<float> sourceRight = engineBenchMaterial(kSeconds * 44100, 4);
    std::vector<float> left, right;
    std::vector<double> blockMicroseconds;
    blockMicroseconds.reserve(sourceLeft.size() / kSmallBlock * static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state)
    {
        state.PauseTiming();
        left = sourceLeft;
        right = sourceRight;
        state.ResumeTiming();
        for (std::size_t start = 0; start + kSmallBlock <= left.size(); start += kSmallBlock)
        {
            float* channels[2] = {left.data() + start, right.data() + start};
            const auto begin = std::chrono::steady_clock::now();
            host->processBlock(channels, channels, 2, static_cast<int>(kSmallBlock));
            const auto end = std::chrono::steady_clock::now();
            blockMicroseconds.push_back(std::chrono::duration<double, std::micro>(end - begin).count());
        }
    }
    // Block times are wall-clock (a CPU clock costs more than a block); the realtime factor
    // is in CPU time, like BM_EngineRealtimeFactor's.
    state.counters["realtime_x"] = benchmark::Counter(
        static_cast<double>(kSeconds) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    const auto percentile99 = blockMicroseconds.begin() + static_cast<long>(blockMicroseconds.size() * 99 / 100);
    std::nth_element(blockMicroseconds.begin(), percentile99, blockMicroseconds.end());
    state.counters["p99_64_block_us"] = *percentile99;
    state.counters["worst_64_block_us"] = *std::max_element(blockMicroseconds.begin(), blockMicroseconds.end());
    state.SetLabel(labelOf(settings));
}

}  // namespace

BENCHMARK(BM_EngineRealtimeFactor)
    ->ArgsProduct({{static_cast<int>(EngineBenchSettings::Defaults), static_cast<int>(EngineBenchSettings::EveryFeature)},
                   {0, 1}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineSmallBlocks)
    ->Arg(static_cast<int>(EngineBenchSettings::Defaults))
    ->Arg(static_cast<int>(EngineBenchSettings::EveryFeature))
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
