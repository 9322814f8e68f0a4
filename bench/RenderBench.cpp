// vantor-render's streaming loop (read, process, write, statistics) against the engine
// alone on the same 60 s file, both through the same module and session kind, in CPU
// seconds of this thread so that other processes on the machine do not count.
// render_vs_engine is the renderer's realtime factor over the engine's.

#include "AudioFile.h"
#include "EngineBenchSupport.h"
#include "OfflineRender.h"
#include "PluginSession.h"

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <filesystem>
#include <string>

namespace
{

constexpr double kSeconds = 60.0;
constexpr int kRate = 44100;
constexpr int kBlock = 512;

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

void processInMemory(PluginSession& session, const AudioClip& input, AudioClip& output)
{
    session.resume();
    for (std::size_t start = 0; start < input.frames(); start += kBlock)
    {
        const int count = static_cast<int>(std::min<std::size_t>(kBlock, input.frames() - start));
        session.process(input.channels[0].data() + start, input.channels[1].data() + start,
                        output.channels[0].data() + start, output.channels[1].data() + start, count);
    }
    session.suspend();
}

void BM_RenderAgainstEngine(benchmark::State& state)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vantor-render-bench";
    std::filesystem::create_directories(folder);
    const std::string inputPath = (folder / "input.wav").string();
    const std::string outputPath = (folder / "output.wav").string();
    const auto frames = static_cast<std::size_t>(kSeconds * kRate);
    const AudioClip input{kRate, {engineBenchMaterial(frames, 1), engineBenchMaterial(frames, 2)}};
    writeAudioFile(inputPath, input);
    AudioClip output = input;

    PluginSession engineSession(VANTOR_BENCH_PLUGIN, kRate, kBlock);
    PluginSession renderSession(VANTOR_BENCH_PLUGIN, kRate, kBlock);
    double engineSeconds = 0.0;
    double renderSeconds = 0.0;
    for (auto _ : state)
    {
        const double start = threadSeconds();
        processInMemory(engineSession, input, output);
        const double middle = threadSeconds();
        {
            SoundFileReader reader(inputPath);
            SoundFileWriter writer(outputPath, kRate, 2);
            benchmark::DoNotOptimize(renderThroughPlugin(renderSession, reader, writer, false, [](double) {}));
            writer.commit();
        }
        const double end = threadSeconds();
        engineSeconds += middle - start;
        renderSeconds += end - middle;
        state.SetIterationTime(end - middle);
    }
    const double audioSeconds = kSeconds * static_cast<double>(state.iterations());
    state.counters["engine_realtime_x"] = audioSeconds / engineSeconds;
    state.counters["render_realtime_x"] = audioSeconds / renderSeconds;
    state.counters["render_vs_engine"] = engineSeconds / renderSeconds;
    std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_RenderAgainstEngine)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
