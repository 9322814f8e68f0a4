#include "engine/StereoEngine.h"

#include <algorithm>
#include <cmath>

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
                     eqPowerTable.allocate(halfSize, "eqPowerTable");
    allocated = allocated && transientShaper.Initialise(N, rate);
    for (int c = 0; c < 2 && allocated; ++c)
    {
        allocated = inBuff[c].allocate(2 * N, "inBuff") && outBuff[c].allocate(2 * N, "outBuff") &&
                    anaMagn[c].allocate(halfSize + 21, "anaMagn") && anaFreq[c].allocate(N, "anaFreq") &&
                    lastPhase[c].allocate(N, "lastPhase") && sumPhase[c].allocate(N, "sumPhase") &&
                    tempBuff[c].allocate(N + 1, "tempBuff");
    }
    allocated = allocated && transform.Create(N);
    if (!allocated)
    {
        releaseBuffers();
        return false;
    }

    // A flat curve until the first rebuild, so unreached positions never hold garbage.
    std::fill(equaliser.data(), equaliser.data() + halfSize, 1.0f);
    hopSize = static_cast<int>(static_cast<float>(N) / kOverlap);
    freshCount = N - hopSize;
    binWidthHz = rate / static_cast<float>(N);
    // Undoes the transform pair's factor N, scaled for the overlap of two frames.
    outScale = 2.0f / (static_cast<float>(N) / ((1.0f / static_cast<float>(N)) * static_cast<float>(hopSize)));
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
    ready.store(true, std::memory_order_release);
}

// Audio thread: no allocation, no locks, no I/O.
void StereoEngine::ProcessSample(float inLeft, float inRight, float* outLeft, float* outRight)
{
    if (!ready.load(std::memory_order_relaxed))
        return;

    inPos = (inPos + 1) & ringMask;
    inBuff[0][inPos] = inLeft + kAntiDenormal;
    inBuff[1][inPos] = inRight - kAntiDenormal;

    const int readPos = (outPos - N) & ringMask;
    float left = outBuff[0][readPos];
    float right = outBuff[1][readPos];
    if (std::fabs(left) > 1.0f || std::fabs(right) > 1.0f)
        meters.clipFlag.store(1.0f, std::memory_order_relaxed);

    EngineSettings& s = settings;
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
        if (std::fabs(left) > 1.0f || std::fabs(right) > 1.0f)
            meters.clipFlag.store(1.0f, std::memory_order_relaxed);
        // fmin/fmax rather than clamp: a non-finite wet sample becomes a bounded one.
        left = std::fmin(std::fmax(left, -1.0f), 1.0f);
        right = std::fmin(std::fmax(right, -1.0f), 1.0f);

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
    if (s.mix > 0.0f)
    {
        *outLeft = (1.0f - s.mix) * inBuff[0][dryPos] + s.mix * left;
        *outRight = (1.0f - s.mix) * inBuff[1][dryPos] + s.mix * right;
    }
    else
    {
        // Fully bypassed: exactly the delayed input, whatever the wet path holds.
        *outLeft = inBuff[0][dryPos];
        *outRight = inBuff[1][dryPos];
    }

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
    if (++hopCount < hopSize)
        return;
    runFrame();
}

void StereoEngine::runFrame()
{
    hopCount = 0;
    // The frame is the N samples before the current one, windowed for analysis.
    for (int c = 0; c < 2; ++c)
    {
        const float* ring = inBuff[c].data();
        float* frame = tempBuff[c].data();
        for (int j = 0; j < N; ++j)
            frame[j] = ring[(inPos - N + j) & ringMask] * window[j];
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
        for (int i = 0; i < freshCount; ++i)
            ring[(base + i) & ringMask] += frame[i] * window[i];
        // The newest half has no earlier frame overlapping it yet: overwrite, don't add.
        for (int i = freshCount; i < N; ++i)
            ring[(base + i) & ringMask] = window[i] * frame[i];
    }
}
