// Our forward Hartley transform against FFTW's DHT and real-to-complex FFT, single
// precision, in place, at the engine's frame lengths; and the round trip the engine makes
// every hop (forward + inverse) against FFTW's r2c + c2r, out of place, with the ratio.
//
// Every iteration first copies the same frame into the work buffer: repeated in-place
// transforms would grow the values by about sqrt(N) per pass and reach infinity within
// a few dozen iterations. BM_FrameCopy times that copy alone.

#include "base/AlignedAlloc.h"
#include "engine/HartleyTransform.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <time.h>

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

// FFTW's fastest real round trip: r2c then c2r, out of place, FFTW_MEASURE plans.
class FftwRoundTrip
{
public:
    explicit FftwRoundTrip(int length)
        : frame(fftwf_alloc_real(length)), output(fftwf_alloc_real(length)),
          spectrum(fftwf_alloc_complex(length / 2 + 1)),
          forward(fftwf_plan_dft_r2c_1d(length, frame, spectrum, FFTW_MEASURE)),
          inverse(fftwf_plan_dft_c2r_1d(length, spectrum, output, FFTW_MEASURE))
    {
        // Planning with FFTW_MEASURE overwrites the arrays; fill the frame afterwards.
        FillFrame(frame, length);
    }
    ~FftwRoundTrip()
    {
        fftwf_destroy_plan(inverse);
        fftwf_destroy_plan(forward);
        fftwf_free(spectrum);
        fftwf_free(output);
        fftwf_free(frame);
    }
    FftwRoundTrip(const FftwRoundTrip&) = delete;
    FftwRoundTrip& operator=(const FftwRoundTrip&) = delete;

    void run()
    {
        fftwf_execute(forward);
        fftwf_execute(inverse);
    }

private:
    float* frame;
    float* output;
    fftwf_complex* spectrum;
    fftwf_plan forward;
    fftwf_plan inverse;
};

// CPU time of this thread, which time slices given to other processes do not count.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Forward + inverse, ours (with the frame copy the in-place transform needs) and FFTW's,
// timed in alternating batches in the same iteration so that load from other processes
// on the machine hits both alike. The reported time is the CPU time of a batch of ours;
// hartley_ns and fftw_ns are per round trip, hartley_vs_fftw is their ratio.
void BM_RoundTripAgainstFftw(benchmark::State& state)
{
    constexpr int kBatch = 64;
    const int length = static_cast<int>(state.range(0));
    HartleyTransform transform;
    if (!transform.Create(length))
    {
        state.SkipWithError("Create failed");
        return;
    }
    float* frame = namedAllocArray<float>(length, "frame");
    float* work = namedAllocArray<float>(length, "work");
    FillFrame(frame, length);
    FftwRoundTrip fftw(length);

    double ours = 0.0;
    double theirs = 0.0;
    for (auto _ : state)
    {
        const double start = threadSeconds();
        for (int i = 0; i < kBatch; ++i)
        {
            std::memcpy(work, frame, length * sizeof(float));
            transform.Forward(work);
            transform.Inverse(work);
            benchmark::ClobberMemory();
        }
        const double middle = threadSeconds();
        for (int i = 0; i < kBatch; ++i)
        {
            fftw.run();
            benchmark::ClobberMemory();
        }
        const double end = threadSeconds();
        ours += middle - start;
        theirs += end - middle;
        state.SetIterationTime(middle - start);
    }
    const double runs = static_cast<double>(state.iterations()) * kBatch;
    state.counters["hartley_ns"] = 1e9 * ours / runs;
    state.counters["fftw_ns"] = 1e9 * theirs / runs;
    state.counters["hartley_vs_fftw"] = ours / theirs;
    alignedFree(work);
    alignedFree(frame);
}

}  // namespace

BENCHMARK(BM_RoundTripAgainstFftw)->Arg(2048)->Arg(4096)->UseManualTime();
BENCHMARK(BM_FrameCopy)->Arg(2048)->Arg(4096);
BENCHMARK(BM_HartleyForward)->Arg(2048)->Arg(4096);
BENCHMARK(BM_FftwDht)->Arg(2048)->Arg(4096);
BENCHMARK(BM_FftwRealToComplex)->Arg(2048)->Arg(4096);

BENCHMARK_MAIN();
