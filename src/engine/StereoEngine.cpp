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

// Far above any real signal (+100 dB), yet low enough that a frame's squared magnitudes
// stay finite whatever the settings.
constexpr float kInputLimit = 1e5f;

// A NaN or infinite sample (another plug-in's fault upstream) enters as silence, so no ring,
// history or detector ever holds a non-finite value; an absurdly loud one is limited.
inline float saneInput(float sample)
{
    if (std::fabs(sample) <= kInputLimit)
        return sample;
    return std::isfinite(sample) ? std::copysign(kInputLimit, sample) : 0.0f;
}

// A left/right pair in the two low lanes.
inline __m128 stereoPair(float left, float right)
{
    return _mm_setr_ps(left, right, 0.0f, 0.0f);
}

inline __m128 magnitude(__m128 pair)
{
    return _mm_andnot_ps(_mm_set1_ps(-0.0f), pair);
}

inline bool exceedsUnit(__m128 pair)
{
    return (_mm_movemask_ps(_mm_cmpgt_ps(magnitude(pair), _mm_set1_ps(1.0f))) & 3) != 0;
}

// Limits to [-1, 1]; a non-finite sample becomes a bounded one (maxps answers its second
// operand when the first is NaN).
inline __m128 clampToUnit(__m128 pair)
{
    return _mm_min_ps(_mm_max_ps(pair, _mm_set1_ps(-1.0f)), _mm_set1_ps(1.0f));
}

// The cubic soft-saturation curve of the first two Shape stages, blended by weight:
// (3 - x^2)(x / 2) w + (1 - w) x.
inline __m128 cubicShape(__m128 x, float weight)
{
    const __m128 w = _mm_set1_ps(weight);
    const __m128 curve = _mm_mul_ps(_mm_sub_ps(_mm_set1_ps(3.0f), _mm_mul_ps(x, x)), _mm_mul_ps(x, _mm_set1_ps(0.5f)));
    return _mm_add_ps(_mm_mul_ps(curve, w), _mm_mul_ps(_mm_sub_ps(_mm_set1_ps(1.0f), w), x));
}

// The third Shape stage, a rational curve that keeps saturating beyond the cubic:
// (3x / (2|x| + 1)) w + (1 - w) x.
inline __m128 rationalShape(__m128 x, float weight)
{
    const __m128 w = _mm_set1_ps(weight);
    const __m128 curve = _mm_div_ps(_mm_mul_ps(_mm_set1_ps(3.0f), x),
                                    _mm_add_ps(_mm_mul_ps(_mm_set1_ps(2.0f), magnitude(x)), _mm_set1_ps(1.0f)));
    return _mm_add_ps(_mm_mul_ps(curve, w), _mm_mul_ps(_mm_sub_ps(_mm_set1_ps(1.0f), w), x));
}

}  // namespace

StereoEngine::StereoEngine(EngineSettings& engineSettings, EngineMeters& engineMeters, SpectrumRing& spectrumRing)
    : settings(engineSettings), meters(engineMeters), spectrum(spectrumRing)
{
}

int StereoEngine::frameSizeForRate(float sampleRate)
{
    // Compared as floats (64000 Hz and up): a huge rate has no int.
    return sampleRate >= kHighRateThreshold + 1.0f ? kHighRateFrameSize : kDefaultFrameSize;
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

    __m128 highest = _mm_setr_ps(peakLeft, peakRight, 0.0f, 0.0f);
    for (int i = 0; i < sampleFrames; ++i)
    {
        const float inL = saneInput(inLeft[i]);
        const float inR = saneInput(inRight[i]);
        inPos = (inPos + 1) & ringMask;
        dryLeft[inPos] = inL + kAntiDenormal;
        dryRight[inPos] = inR - kAntiDenormal;

        // Both channels travel together in the two low lanes of one register.
        const int readPos = (outPos - N) & ringMask;
        __m128 wet = stereoPair(wetLeft[readPos], wetRight[readPos]);
        clipped |= exceedsUnit(wet);

        s.shape = s.shapeTarget * kShapeSmoothing + s.shape * (1.0f - kShapeSmoothing);

        if (s.mix > 0.0f)
        {
            if (s.width < 1.0f)
            {
                const __m128 c = _mm_set1_ps(s.width * 0.5f + 0.5f);
                const __m128 swapped = _mm_shuffle_ps(wet, wet, _MM_SHUFFLE(3, 2, 0, 1));
                wet = _mm_add_ps(_mm_mul_ps(wet, c), _mm_mul_ps(_mm_sub_ps(_mm_set1_ps(1.0f), c), swapped));
            }
            clipped |= exceedsUnit(wet);
            wet = clampToUnit(wet);

            wet = cubicShape(wet, std::min(s.shape, 1.0f));
            if (s.shape > 0.5f)
                wet = cubicShape(wet, (std::min(s.shape, 1.0f) - 0.5f) * 2.0f);
            if (s.shape > 1.0f)
                wet = rationalShape(wet, s.shape - 1.0f);
        }

        const int dryPos = (inPos - N) & ringMask;
        const __m128 dry = stereoPair(dryLeft[dryPos], dryRight[dryPos]);
        // Fully bypassed: exactly the delayed input, whatever the wet path holds.
        const __m128 out = s.mix > 0.0f ? _mm_add_ps(_mm_mul_ps(_mm_set1_ps(1.0f - s.mix), dry),
                                                     _mm_mul_ps(_mm_set1_ps(s.mix), wet))
                                        : dry;
        outLeft[i] = _mm_cvtss_f32(out);
        outRight[i] = _mm_cvtss_f32(_mm_shuffle_ps(out, out, _MM_SHUFFLE(3, 2, 0, 1)));
        highest = _mm_max_ps(highest, magnitude(out));

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
    peakLeft = _mm_cvtss_f32(highest);
    peakRight = _mm_cvtss_f32(_mm_shuffle_ps(highest, highest, _MM_SHUFFLE(3, 2, 0, 1)));
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
