// Our forward Hartley transform against FFTW's DHT and real-to-complex FFT, single
// precision, in place, at the engine's frame lengths.
//
// Every iteration first copies the same frame into the work buffer: repeated in-place
// transforms would grow the values by about sqrt(N) per pass and reach infinity within
// a few dozen iterations. BM_FrameCopy times that copy alone.

#include "base/AlignedAlloc.h"
#include "engine/HartleyTransform.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <cstring>

namespace
{
void FillFrame(float* frame, int length)
{
    for (int n = 0; n < length; ++n)
    {
        frame[n] = std::sin(0.05f * n) + 0.25f * std::cos(0.71f * n);
    }
}

void BM_FrameCopy(benchmark::State& state)
{
    const int length = static_cast<int>(state.range(0));
    float* frame = namedAllocArray<float>(length, "frame");
    float* work = namedAllocArray<float>(length, "work");
    FillFrame(frame, length);
    for (auto _ : state)
    {
        std::memcpy(work, frame, length * sizeof(float));
        benchmark::ClobberMemory();
    }
    alignedFree(work);
    alignedFree(frame);
}

void BM_HartleyForward(benchmark::State& state)
{
    const int length = static_cast<int>(state.range(0));
    HartleyTransform transform;
    if (!transform.Create(length))
    {
        state.SkipWithError("Create failed");
        return;
    }
    // 16-byte aligned, as the engine's buffers are.
    float* frame = namedAllocArray<float>(length, "frame");
    float* work = namedAllocArray<float>(length, "work");
    FillFrame(frame, length);
    for (auto _ : state)
    {
        std::memcpy(work, frame, length * sizeof(float));
        transform.Forward(work);
        benchmark::ClobberMemory();
    }
    alignedFree(work);
    alignedFree(frame);
}

// Times an FFTW plan working in place on `work`, refilled from the same frame each time.
void RunFftwPlan(benchmark::State& state, const fftwf_plan plan, float* work, const float* frame, int length)
{
    for (auto _ : state)
    {
        std::memcpy(work, frame, length * sizeof(float));
        fftwf_execute(plan);
        benchmark::ClobberMemory();
    }
}

void BM_FftwDht(benchmark::State& state)
{
    const int length = static_cast<int>(state.range(0));
    float* frame = fftwf_alloc_real(length);
    float* work = fftwf_alloc_real(length);
    const fftwf_plan plan = fftwf_plan_r2r_1d(length, work, work, FFTW_DHT, FFTW_MEASURE);
    FillFrame(frame, length);
    RunFftwPlan(state, plan, work, frame, length);
    fftwf_destroy_plan(plan);
    fftwf_free(work);
    fftwf_free(frame);
}

void BM_FftwRealToComplex(benchmark::State& state)
{
    const int length = static_cast<int>(state.range(0));
    float* frame = fftwf_alloc_real(length);
    // In place, the N/2 + 1 complex outputs need two more floats than the input.
    float* work = fftwf_alloc_real(length + 2);
    const fftwf_plan plan = fftwf_plan_dft_r2c_1d(length, work, reinterpret_cast<fftwf_complex*>(work), FFTW_MEASURE);
    FillFrame(frame, length);
    RunFftwPlan(state, plan, work, frame, length);
    fftwf_destroy_plan(plan);
    fftwf_free(work);
    fftwf_free(frame);
}

}  // namespace

BENCHMARK(BM_FrameCopy)->Arg(2048)->Arg(4096);
BENCHMARK(BM_HartleyForward)->Arg(2048)->Arg(4096);
BENCHMARK(BM_FftwDht)->Arg(2048)->Arg(4096);
BENCHMARK(BM_FftwRealToComplex)->Arg(2048)->Arg(4096);

BENCHMARK_MAIN();
