// The VST3 module's process call against the VST 2.4 module's, on 64-frame blocks at
// 44.1 kHz: the same engine behind both, so the difference is what the VST3 shell adds (the
// process record, the parameter change queues and the block splitting). Each iteration runs
// the same second of material through both, one after the other, timed in the thread's own
// CPU time (the engine processes on the calling thread), so a machine busy with other work
// slows neither; vst3_overhead_percent is the VST3 time over the VST 2.4 time. The second
// benchmark sends one parameter change a block (at offset 0, as setParameter before the call).

#include "EngineBenchSupport.h"
#include "PluginHost.h"
#include "Vst3Module.h"
#include "Vst3PluginInstance.h"
#include "Vst3StereoProcessData.h"
#include "identity/EffectIdentity.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <time.h>
#include <vector>

namespace
{

constexpr int kRate = 44100;
constexpr int kBlock = 64;

double threadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return 1e9 * static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec);
}

struct Vst3Host
{
    Vst3RunLoop loop;
    Vst3HostContext context{loop};
    Vst3Module module{VANTOR_BENCH_VST3_BUNDLE, context};
    Vst3PluginInstance instance{module, vst3::tuidFromSpelledBytes(kEffectIdentity.vst3ClassId)};
    Vst3StereoProcessData data;

    bool start()
    {
        vst3::ProcessSetup setup = data.setup(kRate, kBlock);
        return instance.created() &&
               instance.processor()->vtable->setupProcessing(instance.processor(), &setup) == vst3::kResultOk &&
               instance.component()->vtable->setActive(instance.component(), 1) == vst3::kResultOk &&
               instance.processor()->vtable->setProcessing(instance.processor(), 1) == vst3::kResultOk;
    }
};

void runOverhead(benchmark::State& state, bool withChanges)
{
    EffectInstance vst;
    vst.resumeAt(static_cast<float>(kRate), kBlock);
    Vst3Host vst3;
    if (vst.effect() == nullptr || !vst3.start())
    {
        state.SkipWithError("cannot load both modules");
        return;
    }
    const std::vector<float> left = engineBenchMaterial(kRate, 1);
    const std::vector<float> right = engineBenchMaterial(kRate, 2);
    std::vector<float> outLeft(left.size());
    std::vector<float> outRight(right.size());
    const std::size_t blocks = left.size() / kBlock;
    // The host's change lists filled beforehand, so only the plug-in's part is timed.
    Vst3StereoProcessData lower;
    Vst3StereoProcessData higher;
    lower.inputChanges().addPoint(1, 0, 0.4);
    higher.inputChanges().addPoint(1, 0, 0.6);
    double vstNs = 0.0;
    double vst3Ns = 0.0;
    for (auto _ : state)
    {
        const double vstStart = threadCpuNanoseconds();
        for (std::size_t block = 0; block < blocks; ++block)
        {
            float* in[2] = {const_cast<float*>(left.data()) + block * kBlock,
                            const_cast<float*>(right.data()) + block * kBlock};
            float* out[2] = {outLeft.data() + block * kBlock, outRight.data() + block * kBlock};
            if (withChanges)
                vst.setParameter(1, (block % 2) != 0 ? 0.4f : 0.6f);
            vst.effect()->processReplacing(vst.effect(), in, out, kBlock);
        }
        const double vst3Start = threadCpuNanoseconds();
        for (std::size_t block = 0; block < blocks; ++block)
        {
            const float* in[2] = {left.data() + block * kBlock, right.data() + block * kBlock};
            float* out[2] = {outLeft.data() + block * kBlock, outRight.data() + block * kBlock};
            Vst3StereoProcessData& data = !withChanges ? vst3.data : (block % 2) != 0 ? lower : higher;
            vst3::ProcessData& call = data.prepare(in, out, kBlock);
            vst3.instance.processor()->vtable->process(vst3.instance.processor(), &call);
        }
        const double end = threadCpuNanoseconds();
        vstNs += vst3Start - vstStart;
        vst3Ns += end - vst3Start;
        benchmark::DoNotOptimize(outLeft.data());
    }
    const double totalBlocks = static_cast<double>(blocks) * static_cast<double>(state.iterations());
    state.counters["vst2_ns_per_block"] = vstNs / totalBlocks;
    state.counters["vst3_ns_per_block"] = vst3Ns / totalBlocks;
    state.counters["vst3_overhead_percent"] = 100.0 * (vst3Ns - vstNs) / vstNs;
}

void BM_Vst3OverVst2Process64(benchmark::State& state)
{
    runOverhead(state, false);
}
BENCHMARK(BM_Vst3OverVst2Process64)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Vst3OverVst2Process64WithAChangeEachBlock(benchmark::State& state)
{
    runOverhead(state, true);
}
BENCHMARK(BM_Vst3OverVst2Process64WithAChangeEachBlock)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    // The VST 2.4 host helper finds its module through the environment.
    setenv("VANTOR_MODULE", VANTOR_BENCH_PLUGIN, 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
