// vantor-render's streaming loop (read, process, write, statistics) against the engine
// alone on the same 60 s file, both through the same module and session kind.
// render_vs_engine is the renderer's realtime factor over the engine's in wall-clock time,
// which is what a user waits for (the renderer reads and writes beside the plug-in's
// thread); render_cpu_vs_engine counts the CPU time of the whole process instead.

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

double clockSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
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

    const auto engineSession = openPluginSession(VANTOR_BENCH_PLUGIN, kRate, kBlock);
    const auto renderSession = openPluginSession(VANTOR_BENCH_PLUGIN, kRate, kBlock);
    double engineSeconds = 0.0;
    double renderSeconds = 0.0;
    double engineCpu = 0.0;
    double renderCpu = 0.0;
    for (auto _ : state)
    {
        // A render makes a new file; replacing the last one would time the file system's
        // freeing of it too.
        std::filesystem::remove(outputPath);
        const double start = clockSeconds(CLOCK_MONOTONIC);
        const double startCpu = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
        processInMemory(*engineSession, input, output);
        const double middle = clockSeconds(CLOCK_MONOTONIC);
        const double middleCpu = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
        {
            SoundFileReader reader(inputPath);
            SoundFileWriter writer(outputPath, kRate, 2);
            benchmark::DoNotOptimize(renderThroughPlugin(*renderSession, reader, writer, false, [](double) {}));
            writer.commit();
        }
        const double end = clockSeconds(CLOCK_MONOTONIC);
        const double endCpu = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
        engineSeconds += middle - start;
        renderSeconds += end - middle;
        engineCpu += middleCpu - startCpu;
        renderCpu += endCpu - middleCpu;
        state.SetIterationTime(end - middle);
    }
    const double audioSeconds = kSeconds * static_cast<double>(state.iterations());
    state.counters["engine_realtime_x"] = audioSeconds / engineSeconds;
    state.counters["render_realtime_x"] = audioSeconds / renderSeconds;
    state.counters["render_vs_engine"] = engineSeconds / renderSeconds;
    state.counters["render_cpu_vs_engine"] = engineCpu / renderCpu;
    std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_RenderAgainstEngine)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
