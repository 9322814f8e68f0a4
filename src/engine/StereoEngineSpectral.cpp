// The spectral stage of StereoEngine, run once per hop on the audio thread: no allocation,
// no locks. Works on magnitudes and unit phasors only; no angle is ever computed.

#include "engine/StereoEngine.h"

#include <algorithm>
#include <cmath>
#include <emmintrin.h>

namespace
{

constexpr float kMagnitudeFloor = 1e-20f;
constexpr float kWidthBoost = 3.75f;
constexpr float kMaxMagnitudeRatio = 0.999999f;
constexpr float kHalfPi = 1.57079632679f;
constexpr float kDisplayLowHz = 40.0f;
constexpr float kDisplaySpanHz = 20000.0f;

// sin(x) for x in [0, pi/2], four at a time: the Taylor series to x^11 stays within 1e-7
// of the true value there, i.e. within single-precision rounding.
inline __m128 sineOfQuarterTurn(__m128 x)
{
    const __m128 x2 = _mm_mul_ps(x, x);
    __m128 series = _mm_set1_ps(-1.0f / 39916800.0f);
    series = _mm_add_ps(_mm_mul_ps(series, x2), _mm_set1_ps(1.0f / 362880.0f));
    series = _mm_add_ps(_mm_mul_ps(series, x2), _mm_set1_ps(-1.0f / 5040.0f));
    series = _mm_add_ps(_mm_mul_ps(series, x2), _mm_set1_ps(1.0f / 120.0f));
    series = _mm_add_ps(_mm_mul_ps(series, x2), _mm_set1_ps(-1.0f / 6.0f));
    series = _mm_add_ps(_mm_mul_ps(series, x2), _mm_set1_ps(1.0f));
    return _mm_mul_ps(series, x);
}

}  // namespace

void StereoEngine::processSpectralFrame()
{
    for (int c = 0; c < 2; ++c)
    {
        transform.Forward(tempBuff[c].data());
        computeMagnitudes(c);
    }
    transientShaper.DetectOnsets(anaMagn[0].data(), anaMagn[1].data());
    analysePhases(0);
    analysePhases(1);
    if (settings.width > 1.0f)
        widenStereo();
    const bool display = spectrum.wanted.load(std::memory_order_relaxed);
    if (display)
        std::fill(spectrum.slots[spectrum.storeIndex.load(std::memory_order_relaxed)],
                  spectrum.slots[spectrum.storeIndex.load(std::memory_order_relaxed)] + kSpectrumPoints, 0.0f);
    for (int c = 0; c < 2; ++c)
    {
        const TransientShaper::BandSums sums = synthesise(c);
        if (display)
            addDisplaySpectrum(c);
        transform.Inverse(tempBuff[c].data());
        transientShaper.UpdateMeters(sums, meters);
    }
}

// Bin k is the pair (re at k, im at N/2 + k); four bins at a time.
void StereoEngine::computeMagnitudes(int channel)
{
    const float* re = tempBuff[channel].data();
    const float* im = re + halfSize;
    float* magnitude = anaMagn[channel].data();
    const __m128 floor = _mm_set1_ps(kMagnitudeFloor);
    for (int k = 0; k < halfSize; k += 4)
    {
        const __m128 r = _mm_load_ps(re + k);
        const __m128 i = _mm_load_ps(im + k);
        const __m128 power = _mm_add_ps(_mm_add_ps(_mm_mul_ps(r, r), _mm_mul_ps(i, i)), floor);
        _mm_store_ps(magnitude + k, _mm_sqrt_ps(power));
    }
}

// Steady bins get their phase advance since the last frame; onset bins their own phasor.
// Four bins at a time; the onset choice is a lane mask.
void StereoEngine::analysePhases(int channel)
{
    const float* re = tempBuff[channel].data();
    const float* im = re + halfSize;
    const float* magnitude = anaMagn[channel].data();
    float* freqRe = anaFreq[channel].data();
    float* freqIm = freqRe + halfSize;
    float* lastRe = lastPhase[channel].data();
    float* lastIm = lastRe + halfSize;
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 floor = _mm_set1_ps(kMagnitudeFloor);
    for (int k = 0; k < halfSize; k += 4)
    {
        const __m128 inverse = _mm_div_ps(one, _mm_add_ps(_mm_load_ps(magnitude + k), floor));
        const __m128 u = _mm_mul_ps(_mm_load_ps(re + k), inverse);
        const __m128 v = _mm_mul_ps(_mm_load_ps(im + k), inverse);
        const __m128 pr = _mm_load_ps(lastRe + k);
        const __m128 pi = _mm_load_ps(lastIm + k);
        const __m128 advanceRe = _mm_add_ps(_mm_mul_ps(u, pr), _mm_mul_ps(v, pi));
        const __m128 advanceIm = _mm_sub_ps(_mm_mul_ps(v, pr), _mm_mul_ps(u, pi));
        // A bin whose previous phasor is not finite starts again, as at an onset.
        const __m128 onset = _mm_or_ps(transientShaper.onsetLanes(k), nonFiniteLanes(pr, pi));
        _mm_store_ps(freqRe + k, selectLanes(onset, u, advanceRe));
        _mm_store_ps(freqIm + k, selectLanes(onset, v, advanceIm));
        _mm_store_ps(lastRe + k, u);
        _mm_store_ps(lastIm + k, v);
    }
}

// Bins whose left and right magnitudes differ are boosted in both channels; four at a time.
void StereoEngine::widenStereo()
{
    float* left = anaMagn[0].data();
    float* right = anaMagn[1].data();
    const __m128 amount = _mm_set1_ps(kWidthBoost * (settings.width - 1.0f));
    const __m128 one = _mm_set1_ps(1.0f);
    const __m128 maxRatio = _mm_set1_ps(kMaxMagnitudeRatio);
    const __m128 halfPi = _mm_set1_ps(kHalfPi);
    for (int k = 0; k < halfSize; k += 4)
    {
        const __m128 l = _mm_load_ps(left + k);
        const __m128 r = _mm_load_ps(right + k);
        // The smaller magnitude over the larger; magnitudes are never below 1e-10.
        const __m128 ratio = _mm_div_ps(_mm_min_ps(l, r), _mm_max_ps(l, r));
        const __m128 similarity = _mm_min_ps(ratio, maxRatio);
        const __m128 angle = _mm_mul_ps(_mm_sub_ps(one, similarity), halfPi);
        const __m128 boost = _mm_add_ps(_mm_mul_ps(sineOfQuarterTurn(angle), amount), one);
        _mm_store_ps(left + k, _mm_mul_ps(l, boost));
        _mm_store_ps(right + k, _mm_mul_ps(r, boost));
    }
}

// Four bins at a time: steady bins advance their own running phase by the measured step,
// onset bins take the input's phase again.
TransientShaper::BandSums StereoEngine::synthesise(int channel)
{
    const bool wet = settings.mix > 0.0f;
    // Bypassed, the frame still runs (for meters and display) with neutral amounts.
    const float gain = wet ? settings.gain : 1.0f;
    const float punch = wet ? settings.punch : 1.0f;
    const float sizzle = wet ? settings.sizzle : 1.0f;
    const __m128 scale = _mm_set1_ps(outScale * gain);
    const float* magnitude = anaMagn[channel].data();
    const float* freqRe = anaFreq[channel].data();
    const float* freqIm = freqRe + halfSize;
    float* sumRe = sumPhase[channel].data();
    float* sumIm = sumRe + halfSize;
    float* outRe = tempBuff[channel].data();
    float* outIm = outRe + halfSize;
    TransientShaper::BandSums sums;
    for (int k = 0; k < halfSize; k += 4)
    {
        __m128 h = _mm_load_ps(magnitude + k);
        if (wet)
            h = _mm_mul_ps(h, _mm_load_ps(binEqGain.data() + k));
        const __m128 fr = _mm_load_ps(freqRe + k);
        const __m128 fi = _mm_load_ps(freqIm + k);
        const __m128 sr = _mm_load_ps(sumRe + k);
        const __m128 si = _mm_load_ps(sumIm + k);
        const __m128 advancedRe = _mm_sub_ps(_mm_mul_ps(sr, fr), _mm_mul_ps(si, fi));
        const __m128 advancedIm = _mm_add_ps(_mm_mul_ps(sr, fi), _mm_mul_ps(fr, si));
        // A running phasor that is not finite restarts from the measured one.
        const __m128 restart = _mm_or_ps(transientShaper.onsetLanes(k), nonFiniteLanes(advancedRe, advancedIm));
        const __m128 phaseRe = selectLanes(restart, fr, advancedRe);
        const __m128 phaseIm = selectLanes(restart, fi, advancedIm);
        _mm_store_ps(sumRe + k, phaseRe);
        _mm_store_ps(sumIm + k, phaseIm);
        h = transientShaper.ShapeMagnitudes(k, h, punch, sizzle, sums);
        _mm_store_ps(outRe + k, _mm_mul_ps(_mm_mul_ps(h, phaseRe), scale));
        _mm_store_ps(outIm + k, _mm_mul_ps(_mm_mul_ps(h, phaseIm), scale));
    }
    return sums;
}

// Each display point's position on the bin axis (40 Hz to 20040 Hz on a fourth-power
// scale), split into two neighbouring bins and their weights once per frame length.
void StereoEngine::buildDisplayTables()
{
    const float binsAcross = kDisplaySpanHz / binWidthHz;
    const float lowestBin = kDisplayLowHz / binWidthHz;
    const float lastBin = static_cast<float>(halfSize - 1);
    for (int j = 0; j < kSpectrumPoints; ++j)
    {
        const float x = static_cast<float>(j) / static_cast<float>(kSpectrumPoints);
        // Below about 39.7 kHz the display reaches past the last analysed bin; such points
        // show the last one.
        float position = x * x * x * x * binsAcross + lowestBin;
        if (!(position < lastBin))
            position = lastBin;
        const int i = static_cast<int>(position);
        const float f = position - static_cast<float>(i);
        // The last analysed bin has no upper neighbour: weight it twice instead.
        const bool hasUpper = i + 1 < halfSize;
        displayLowerBin[j] = i;
        displayUpperBin[j] = hasUpper ? i + 1 : i;
        displayLowerWeight[j] = 1.0f - f;
        displayUpperWeight[j] = hasUpper ? f : 1.0f - f;
    }
}

// Adds the channel's output power at the 512 display points.
void StereoEngine::addDisplaySpectrum(int channel)
{
    const float* re = tempBuff[channel].data();
    const float* im = re + halfSize;
    float* slot = spectrum.slots[spectrum.storeIndex.load(std::memory_order_relaxed)];
    for (int j = 0; j < kSpectrumPoints; ++j)
    {
        const int lower = displayLowerBin[j];
        const int upper = displayUpperBin[j];
        const float a = displayLowerWeight[j] * re[lower];
        const float b = displayLowerWeight[j] * im[lower];
        const float c = displayUpperWeight[j] * re[upper];
        const float d = displayUpperWeight[j] * im[upper];
        slot[j] += a * a + b * b + c * c + d * d;
    }
}
