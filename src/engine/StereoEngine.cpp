#include "engine/StereoEngine.h"
#include "engine/WindowingAvx.h"

#include <algorithm>
#include <cmath>
#include <xmmintrin.h>

namespace
{

constexpr double kPi = 3.14159265358979323846;
constexpr float kHighRateThreshold = 63999.0f;

// to[i] = a[i] * b[i], four at a time.
void multiplyIntoSse2(float* to, const float* a, const float* b, int count)
{
    int i = 0;
    for (; i + 4 <= count; i += 4)
        _mm_storeu_ps(to + i, _mm_mul_ps(_mm_loadu_ps(a + i), _mm_loadu_ps(b + i)));
    for (; i < count; ++i)
        to[i] = a[i] * b[i];
}

// to[i] += a[i] * b[i], four at a time.
void multiplyAddIntoSse2(float* to, const float* a, const float* b, int count)
{
    int i = 0;
    for (; i + 4 <= count; i += 4)
        _mm_storeu_ps(to + i, _mm_add_ps(_mm_loadu_ps(to + i), _mm_mul_ps(_mm_loadu_ps(a + i), _mm_loadu_ps(b + i))));
    for (; i < count; ++i)
        to[i] += a[i] * b[i];
}

// The loop of the path the engine runs.
using MultiplyLoop = void (*)(float* to, const float* a, const float* b, int count);

}  // namespace

StereoEngine::StereoEngine(EngineSettings& engineSettings, EngineMeters& engineMeters, SpectrumHandOff& displaySpectrum,
                           StereoImageHandOff& displayStereoImage)
    : settings(engineSettings), meters(engineMeters), spectrum(displaySpectrum), stereoImage(displayStereoImage)
{
}

int StereoEngine::frameSizeForRate(float sampleRate)
{
    // Compared as floats (64000 Hz and up): a huge rate has no int.
    return sampleRate >= kHighRateThreshold + 1.0f ? kHighRateFrameSize : kDefaultFrameSize;
}

bool StereoEngine::Initialise(int frameSize, float sampleRate, VectorPath path)
{
    N = frameSize;
    ringMask = 2 * N - 1;
    halfSize = N / 2;
    rate = sampleRate;
    bool allocated = window.allocate(N, "window") && equaliser.allocate(halfSize, "equaliser") &&
                     eqPowerTable.allocate(halfSize, "eqPowerTable") && binEqGain.allocate(halfSize, "binEqGain");
    allocated = allocated && transientShaper.Initialise(N, rate);
    for (int c = 0; c < 2 && allocated; ++c)
    {
        allocated = inBuff[c].allocate(2 * N, "inBuff") && outBuff[c].allocate(2 * N, "outBuff") &&
                    lastPhase[c].allocate(N, "lastPhase") && sumPhase[c].allocate(N, "sumPhase") &&
                    tempBuff[c].allocate(N + 1, "tempBuff");
    }
    allocated = allocated && transform.Create(N, path) &&
                displayLowerBin.allocate(kSpectrumPoints, "displayLowerBin") &&
                displayUpperBin.allocate(kSpectrumPoints, "displayUpperBin") &&
                displayLowerWeight.allocate(kSpectrumPoints, "displayLowerWeight") &&
                displayUpperWeight.allocate(kSpectrumPoints, "displayUpperWeight") && stereoImage.prepare(rate);
    if (!allocated)
    {
        releaseBuffers();
        return false;
    }

    // A flat curve until the first rebuild, so unreached positions never hold garbage.
    std::fill(equaliser.data(), equaliser.data() + halfSize, 1.0f);
    std::fill(binEqGain.data(), binEqGain.data() + halfSize, 1.0f);
    hopSize = static_cast<int>(static_cast<float>(N) / kOverlap);
    freshCount = N - hopSize;
    binWidthHz = rate / static_cast<float>(N);
    // Undoes the transform pair's factor N, scaled for the overlap of two frames.
    outScale = 2.0f / (static_cast<float>(N) / ((1.0f / static_cast<float>(N)) * static_cast<float>(hopSize)));
    buildDisplayTables();
    // Computed in double so every platform's maths library rounds to the same floats.
    for (int i = 0; i < N; ++i)
    {
        const double phase = 2.0 * kPi * i / (N - 1);
        window[i] = static_cast<float>(std::sqrt((1.0 - std::cos(phase)) * 0.5));
    }
    avx = transform.usesAvx();
    ClearHistory();
    return true;
}

void StereoEngine::releaseBuffers()
{
    window = {};
    equaliser = {};
    eqPowerTable = {};
    binEqGain = {};
    for (int c = 0; c < 2; ++c)
    {
        inBuff[c] = {};
        outBuff[c] = {};
        tempBuff[c] = {};
        lastPhase[c] = {};
        sumPhase[c] = {};
    }
    transientShaper = {};
    displayLowerBin = {};
    displayUpperBin = {};
    displayLowerWeight = {};
    displayUpperWeight = {};
    transform.Create(0);
    N = 0;
}

void StereoEngine::ClearHistory()
{
    for (int c = 0; c < 2; ++c)
    {
        std::fill(inBuff[c].data(), inBuff[c].data() + 2 * N, 0.0f);
        std::fill(outBuff[c].data(), outBuff[c].data() + 2 * N, 0.0f);
        // The phase state runs on across a resume, but never a non-finite value of it.
        for (int i = 0; i < N; ++i)
        {
            if (!std::isfinite(lastPhase[c][i]))
                lastPhase[c][i] = 0.0f;
            if (!std::isfinite(sumPhase[c][i]))
                sumPhase[c][i] = 0.0f;
        }
    }
    transientShaper.ClearNonFiniteHistory();
    inPos = 0;
    outPos = 0;
    hopCount = 0;
    meters.bassMeter.store(0.0f, std::memory_order_relaxed);
}

void StereoEngine::ClearAllHistory()
{
    ClearHistory();
    for (int c = 0; c < 2; ++c)
    {
        std::fill(tempBuff[c].data(), tempBuff[c].data() + N + 1, 0.0f);
        std::fill(lastPhase[c].data(), lastPhase[c].data() + N, 0.0f);
        std::fill(sumPhase[c].data(), sumPhase[c].data() + N, 0.0f);
    }
    transientShaper.ClearHistory();
    meters.sizzleMeter.store(0.0f, std::memory_order_relaxed);
    meters.clipFlag.store(0.0f, std::memory_order_relaxed);
}

void StereoEngine::RebuildEqualiser(const ProgramRecord& program, float eqRange)
{
    const int count = eqPointCount(loadStoredFloat(program.value[kParamEqNum]));
    eqPoints.clear();
    for (int i = 0; i < count; ++i)
        eqPoints.append(engineValue(loadStoredFloat(program.value[eqPointXIndex(i)])),
                        engineValue(loadStoredFloat(program.value[eqPointYIndex(i)])));
    eqPoints.sortByX();
    buildEqualiserTable(eqPoints, eqRange, equaliser.data(), halfSize);
    buildEqPowerTable(binWidthHz, eqPowerTable.data(), halfSize);
    // Looked up once here rather than for every bin of every frame.
    for (int bin = 0; bin < halfSize; ++bin)
        binEqGain[bin] = equaliserGainAtBin(eqPowerTable.data(), equaliser.data(), halfSize, bin);
    ready.store(true, std::memory_order_release);
}

void StereoEngine::runFrame()
{
    hopCount = 0;
    // The frame is the N samples before the current one, windowed for analysis.
    const MultiplyLoop multiplyInto = avx ? multiplyIntoAvx : multiplyIntoSse2;
    for (int c = 0; c < 2; ++c)
    {
        const float* ring = inBuff[c].data();
        float* frame = tempBuff[c].data();
        forEachRingRun(inPos - N, N,
                       [&](int position, int offset, int count)
                       { multiplyInto(frame + offset, ring + position, window.data() + offset, count); });
    }
    processSpectralFrame();
    overlapAdd();
}

void StereoEngine::overlapAdd()
{
    const int base = outPos - N;
    const MultiplyLoop multiplyInto = avx ? multiplyIntoAvx : multiplyIntoSse2;
    const MultiplyLoop multiplyAddInto = avx ? multiplyAddIntoAvx : multiplyAddIntoSse2;
    for (int c = 0; c < 2; ++c)
    {
        float* ring = outBuff[c].data();
        const float* frame = tempBuff[c].data();
        forEachRingRun(base, freshCount,
                       [&](int position, int offset, int count)
                       { multiplyAddInto(ring + position, frame + offset, window.data() + offset, count); });
        // The newest half has no earlier frame overlapping it yet: overwrite, don't add.
        forEachRingRun(base + freshCount, N - freshCount,
                       [&](int position, int offset, int count) {
                           multiplyInto(ring + position, window.data() + freshCount + offset,
                                        frame + freshCount + offset, count);
                       });
    }
}
