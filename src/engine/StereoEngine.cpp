#include "engine/StereoEngine.h"

#include <algorithm>
#include <cmath>
#include <xmmintrin.h>

namespace
{

constexpr double kPi = 3.14159265358979323846;
// Opposite tiny offsets on the two channels keep silent input away from denormal numbers.
constexpr float kAntiDenormal = 1e-20f;
constexpr float kShapeSmoothing = 0.001f;
constexpr float kHighRateThreshold = 63999.0f;

// The cubic soft-saturation curve of the first two Shape stages, blended by weight.
inline float cubicShape(float x, float weight)
{
    return (3.0f - x * x) * (x * 0.5f) * weight + (1.0f - weight) * x;
}

// Limits to [-1, 1]; a non-finite sample becomes a bounded one (maxss answers its second
// operand when the first is NaN), and unlike fmin/fmax this never leaves the register.
inline float clampToUnit(float x)
{
    const __m128 bounded = _mm_max_ss(_mm_set_ss(x), _mm_set_ss(-1.0f));
    return _mm_cvtss_f32(_mm_min_ss(bounded, _mm_set_ss(1.0f)));
}

// The third Shape stage: a rational curve that keeps saturating beyond the cubic.
inline float rationalShape(float x, float weight)
{
    return (3.0f * x / (2.0f * std::fabs(x) + 1.0f)) * weight + (1.0f - weight) * x;
}

}  // namespace

StereoEngine::StereoEngine(EngineSettings& engineSettings, EngineMeters& engineMeters, SpectrumRing& spectrumRing)
    : settings(engineSettings), meters(engineMeters), spectrum(spectrumRing)
{
}

int StereoEngine::frameSizeForRate(float sampleRate)
{
    return static_cast<int>(sampleRate) > static_cast<int>(kHighRateThreshold) ? kHighRateFrameSize
                                                                               : kDefaultFrameSize;
}

bool StereoEngine::Initialise(int frameSize, float sampleRate)
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
                    anaMagn[c].allocate(halfSize + 21, "anaMagn") && anaFreq[c].allocate(N, "anaFreq") &&
                    lastPhase[c].allocate(N, "lastPhase") && sumPhase[c].allocate(N, "sumPhase") &&
                    tempBuff[c].allocate(N + 1, "tempBuff");
    }
    allocated = allocated && transform.Create(N) && displayLowerBin.allocate(kSpectrumPoints, "displayLowerBin") &&
                displayUpperBin.allocate(kSpectrumPoints, "displayUpperBin") &&
                displayLowerWeight.allocate(kSpectrumPoints, "displayLowerWeight") &&
                displayUpperWeight.allocate(kSpectrumPoints, "displayUpperWeight");
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
        anaMagn[c] = {};
        anaFreq[c] = {};
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
    }
    inPos = 0;
    outPos = 0;
    hopCount = 0;
    meters.bassMeter.store(0.0f, std::memory_order_relaxed);
}

void StereoEngine::RebuildEqualiser(const ProgramRecord& program, float eqRange)
{
    const int count = eqPointCount(loadStoredFloat(program.value[kParamEqNum]));
    eqPoints.clear();
    for (int i = 0; i < count; ++i)
        eqPoints.append(loadStoredFloat(program.value[eqPointXIndex(i)]),
                        loadStoredFloat(program.value[eqPointYIndex(i)]));
    eqPoints.sortByX();
    buildEqualiserTable(eqPoints, eqRange, equaliser.data(), halfSize);
    buildEqPowerTable(binWidthHz, eqPowerTable.data(), halfSize);
    // Looked up once here rather than for every bin of every frame.
    for (int bin = 0; bin < halfSize; ++bin)
        binEqGain[bin] = equaliserGainAtBin(eqPowerTable.data(), equaliser.data(), halfSize, bin);
    ready.store(true, std::memory_order_release);
}

void StereoEngine::ProcessSample(float inLeft, float inRight, float* outLeft, float* outRight)
{
    float unusedPeakLeft = 0.0f;
    float unusedPeakRight = 0.0f;
    ProcessBlock(&inLeft, &inRight, outLeft, outRight, 1, unusedPeakLeft, unusedPeakRight);
}

// Audio thread: no allocation, no locks, no I/O. The settings live in locals for the
// block, since every output store could otherwise alias them; the frame sees them
// written back first.
void StereoEngine::ProcessBlock(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                                int sampleFrames, float& peakLeft, float& peakRight)
{
    if (!ready.load(std::memory_order_relaxed))
        return;

    EngineSettings s = settings;
    float* const dryLeft = inBuff[0].data();
    float* const dryRight = inBuff[1].data();
    const float* const wetLeft = outBuff[0].data();
    const float* const wetRight = outBuff[1].data();
    bool clipped = false;
    float highestLeft = peakLeft;
    float highestRight = peakRight;

    for (int i = 0; i < sampleFrames; ++i)
    {
        const float inL = inLeft[i];
        const float inR = inRight[i];
        inPos = (inPos + 1) & ringMask;
        dryLeft[inPos] = inL + kAntiDenormal;
        dryRight[inPos] = inR - kAntiDenormal;

        const int readPos = (outPos - N) & ringMask;
        float left = wetLeft[readPos];
        float right = wetRight[readPos];
        clipped |= std::fabs(left) > 1.0f || std::fabs(right) > 1.0f;

        s.shape = s.shapeTarget * kShapeSmoothing + s.shape * (1.0f - kShapeSmoothing);

        if (s.mix > 0.0f)
        {
            if (s.width < 1.0f)
            {
                const float c = s.width * 0.5f + 0.5f;
                const float narrowRight = right * c + (1.0f - c) * left;
                const float narrowLeft = left * c + (1.0f - c) * right;
                left = narrowLeft;
                right = narrowRight;
            }
            clipped |= std::fabs(left) > 1.0f || std::fabs(right) > 1.0f;
            left = clampToUnit(left);
            right = clampToUnit(right);

            const float stage1 = std::min(s.shape, 1.0f);
            left = cubicShape(left, stage1);
            right = cubicShape(right, stage1);
            if (s.shape > 0.5f)
            {
                const float stage2 = (std::min(s.shape, 1.0f) - 0.5f) * 2.0f;
                left = cubicShape(left, stage2);
                right = cubicShape(right, stage2);
            }
            if (s.shape > 1.0f)
            {
                const float stage3 = s.shape - 1.0f;
                left = rationalShape(left, stage3);
                right = rationalShape(right, stage3);
            }
        }

        const int dryPos = (inPos - N) & ringMask;
        float outL;
        float outR;
        if (s.mix > 0.0f)
        {
            outL = (1.0f - s.mix) * dryLeft[dryPos] + s.mix * left;
            outR = (1.0f - s.mix) * dryRight[dryPos] + s.mix * right;
        }
        else
        {
            // Fully bypassed: exactly the delayed input, whatever the wet path holds.
            outL = dryLeft[dryPos];
            outR = dryRight[dryPos];
        }
        outLeft[i] = outL;
        outRight[i] = outR;
        highestLeft = std::max(highestLeft, std::fabs(outL));
        highestRight = std::max(highestRight, std::fabs(outR));

        if (s.mixStep != 0.0f)
        {
            s.mix += s.mixStep;
            if (s.mix >= 1.0f)
            {
                s.mix = 1.0f;
                s.mixStep = 0.0f;
            }
            else if (s.mix <= 0.0f)
            {
                s.mix = 0.0f;
                s.mixStep = 0.0f;
            }
        }

        outPos = (outPos + 1) & ringMask;
        if (++hopCount >= hopSize)
        {
            settings = s;
            runFrame();
        }
    }
    settings = s;
    if (clipped)
        meters.clipFlag.store(1.0f, std::memory_order_relaxed);
    peakLeft = highestLeft;
    peakRight = highestRight;
}

void StereoEngine::runFrame()
{
    hopCount = 0;
    // The frame is the N samples before the current one, windowed for analysis.
    for (int c = 0; c < 2; ++c)
    {
        const float* ring = inBuff[c].data();
        float* frame = tempBuff[c].data();
        forEachRingRun(inPos - N, N, [&](int position, int offset, int count) {
            for (int j = 0; j < count; ++j)
                frame[offset + j] = ring[position + j] * window[offset + j];
        });
    }
    processSpectralFrame();
    overlapAdd();
    spectrum.storeIndex.store((spectrum.storeIndex.load(std::memory_order_relaxed) + 1) & (kSpectrumSlots - 1),
                              std::memory_order_release);
}

void StereoEngine::overlapAdd()
{
    const int base = outPos - N;
    for (int c = 0; c < 2; ++c)
    {
        float* ring = outBuff[c].data();
        const float* frame = tempBuff[c].data();
        forEachRingRun(base, freshCount, [&](int position, int offset, int count) {
            for (int i = 0; i < count; ++i)
                ring[position + i] += frame[offset + i] * window[offset + i];
        });
        // The newest half has no earlier frame overlapping it yet: overwrite, don't add.
        forEachRingRun(base + freshCount, N - freshCount, [&](int position, int offset, int count) {
            for (int i = 0; i < count; ++i)
                ring[position + i] = window[freshCount + offset + i] * frame[freshCount + offset + i];
        });
    }
}
