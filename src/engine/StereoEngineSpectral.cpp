// The spectral stage of StereoEngine, run once per hop on the audio thread: no allocation,
// no locks. Works on magnitudes and unit phasors only; no angle is ever computed.

#include "engine/SpectralConstants.h"
#include "engine/StereoEngine.h"

#include <algorithm>
#include <cmath>
#include <emmintrin.h>

namespace
{

constexpr float kDisplayLowHz = 40.0f;
constexpr float kDisplaySpanHz = 20000.0f;

// sin(x) for x in [0, pi/2], four at a time.
inline __m128 sineOfQuarterTurn(__m128 x)
{
    const __m128 x2 = _mm_mul_ps(x, x);
    __m128 series = _mm_set1_ps(kSineSeries[0]);
    for (int term = 1; term < kSineTerms; ++term)
        series = _mm_add_ps(_mm_mul_ps(series, x2), _mm_set1_ps(kSineSeries[term]));
    return _mm_mul_ps(series, x);
}

// Four bins' unit phasors.
struct Phasor
{
    __m128 re;
    __m128 im;
};

// One channel's bins k..k+3: its spectrum (in place) and its phase state.
struct ChannelBins
{
    float* re;
    float* im;
    float* lastRe;
    float* lastIm;
    float* sumRe;
    float* sumIm;
};

inline __m128 binMagnitudes(const ChannelBins& bins)
{
    const __m128 re = _mm_load_ps(bins.re);
    const __m128 im = _mm_load_ps(bins.im);
    return _mm_sqrt_ps(_mm_add_ps(_mm_add_ps(_mm_mul_ps(re, re), _mm_mul_ps(im, im)), _mm_set1_ps(kMagnitudeFloor)));
}

// The phase step since the last frame, as a unit phasor; onset bins take their own phasor.
// Stores the new phasors as the last ones.
inline Phasor phaseStep(const ChannelBins& bins, __m128 magnitude, __m128 onset)
{
    const __m128 inverse = _mm_div_ps(_mm_set1_ps(1.0f), _mm_add_ps(magnitude, _mm_set1_ps(kMagnitudeFloor)));
    const __m128 u = _mm_mul_ps(_mm_load_ps(bins.re), inverse);
    const __m128 v = _mm_mul_ps(_mm_load_ps(bins.im), inverse);
    const __m128 pr = _mm_load_ps(bins.lastRe);
    const __m128 pi = _mm_load_ps(bins.lastIm);
    const __m128 advanceRe = _mm_add_ps(_mm_mul_ps(u, pr), _mm_mul_ps(v, pi));
    const __m128 advanceIm = _mm_sub_ps(_mm_mul_ps(v, pr), _mm_mul_ps(u, pi));
    // A bin whose previous phasor is not finite starts again, as at an onset.
    const __m128 restart = _mm_or_ps(onset, nonFiniteLanes(pr, pi));
    _mm_store_ps(bins.lastRe, u);
    _mm_store_ps(bins.lastIm, v);
    return {selectLanes(restart, u, advanceRe), selectLanes(restart, v, advanceIm)};
}

// Bins whose left and right magnitudes differ are boosted in both channels.
inline __m128 widthBoost(__m128 left, __m128 right, __m128 amount)
{
    const __m128 one = _mm_set1_ps(1.0f);
    // The smaller magnitude over the larger; magnitudes are never below 1e-10.
    const __m128 ratio = _mm_div_ps(_mm_min_ps(left, right), _mm_max_ps(left, right));
    const __m128 similarity = _mm_min_ps(ratio, _mm_set1_ps(kMaxMagnitudeRatio));
    const __m128 angle = _mm_mul_ps(_mm_sub_ps(one, similarity), _mm_set1_ps(kHalfPi));
    return _mm_add_ps(_mm_mul_ps(sineOfQuarterTurn(angle), amount), one);
}

// Steady bins advance their own running phase by the measured step, onset bins take the
// input's phase again.
inline Phasor advancePhase(const ChannelBins& bins, Phasor step, __m128 onset)
{
    const __m128 sr = _mm_load_ps(bins.sumRe);
    const __m128 si = _mm_load_ps(bins.sumIm);
    const __m128 advancedRe = _mm_sub_ps(_mm_mul_ps(sr, step.re), _mm_mul_ps(si, step.im));
    const __m128 advancedIm = _mm_add_ps(_mm_mul_ps(sr, step.im), _mm_mul_ps(step.re, si));
    // A running phasor that is not finite restarts from the measured one.
    const __m128 restart = _mm_or_ps(onset, nonFiniteLanes(advancedRe, advancedIm));
    const Phasor phase{selectLanes(restart, step.re, advancedRe), selectLanes(restart, step.im, advancedIm)};
    _mm_store_ps(bins.sumRe, phase.re);
    _mm_store_ps(bins.sumIm, phase.im);
    return phase;
}

// The synthesis spectrum: shaped magnitude on the running phase, scaled.
inline void storeSynthesis(const ChannelBins& bins, __m128 magnitude, Phasor phase, __m128 scale)
{
    _mm_store_ps(bins.re, _mm_mul_ps(_mm_mul_ps(magnitude, phase.re), scale));
    _mm_store_ps(bins.im, _mm_mul_ps(_mm_mul_ps(magnitude, phase.im), scale));
}

}  // namespace

void StereoEngine::processSpectralFrame()
{
    transform.Forward(tempBuff[0].data());
    transform.Forward(tempBuff[1].data());
    const FrameSums sums = avx ? reshapeBinsAvx() : reshapeBins();
    const bool display = spectrum.wanted();
    if (display)
        std::fill(spectrum.fillBuffer(), spectrum.fillBuffer() + kSpectrumPoints, 0.0f);
    for (int c = 0; c < 2; ++c)
    {
        if (display)
            addDisplaySpectrum(c);
        transform.Inverse(tempBuff[c].data());
        transientShaper.UpdateMeters(sums.channel[c], meters);
    }
    if (display)
        spectrum.publish();
}

// One pass over the bins, four at a time (eight with AVX: StereoEngineSpectralAvx.cpp),
// from the analysis spectra to the synthesis spectra in place: magnitudes, onsets, phase
// steps, widening, equaliser, Punch, Sizzle, gain and the running phases. Bin k is the
// pair (re at k, im at N/2 + k).
StereoEngine::FrameSums StereoEngine::reshapeBins()
{
    const bool wet = settings.mix > 0.0f;
    // Bypassed, the frame still runs (for meters and display) with neutral amounts.
    const float punch = wet ? settings.punch : 1.0f;
    const float sizzle = wet ? settings.sizzle : 1.0f;
    const __m128 scale = _mm_set1_ps(outScale * (wet ? settings.gain : 1.0f));
    const bool widening = settings.width > 1.0f;
    const __m128 widthAmount = _mm_set1_ps(kWidthBoost * (settings.width - 1.0f));
    FrameSums sums;
    for (int k = 0; k < halfSize; k += 4)
    {
        const ChannelBins left{tempBuff[0].data() + k,  tempBuff[0].data() + halfSize + k,
                               lastPhase[0].data() + k, lastPhase[0].data() + halfSize + k,
                               sumPhase[0].data() + k,  sumPhase[0].data() + halfSize + k};
        const ChannelBins right{tempBuff[1].data() + k,  tempBuff[1].data() + halfSize + k,
                                lastPhase[1].data() + k, lastPhase[1].data() + halfSize + k,
                                sumPhase[1].data() + k,  sumPhase[1].data() + halfSize + k};
        __m128 leftMagnitude = binMagnitudes(left);
        __m128 rightMagnitude = binMagnitudes(right);
        transientShaper.DetectOnsetsAt(k, _mm_add_ps(leftMagnitude, rightMagnitude));
        const __m128 onset = transientShaper.onsetLanes(k);
        const Phasor leftStep = phaseStep(left, leftMagnitude, onset);
        const Phasor rightStep = phaseStep(right, rightMagnitude, onset);
        if (widening)
        {
            const __m128 boost = widthBoost(leftMagnitude, rightMagnitude, widthAmount);
            leftMagnitude = _mm_mul_ps(leftMagnitude, boost);
            rightMagnitude = _mm_mul_ps(rightMagnitude, boost);
        }
        if (wet)
        {
            const __m128 eqGain = _mm_load_ps(binEqGain.data() + k);
            leftMagnitude = _mm_mul_ps(leftMagnitude, eqGain);
            rightMagnitude = _mm_mul_ps(rightMagnitude, eqGain);
        }
        const Phasor leftPhase = advancePhase(left, leftStep, onset);
        const Phasor rightPhase = advancePhase(right, rightStep, onset);
        leftMagnitude = transientShaper.ShapeMagnitudes(k, leftMagnitude, punch, sizzle, sums.channel[0]);
        rightMagnitude = transientShaper.ShapeMagnitudes(k, rightMagnitude, punch, sizzle, sums.channel[1]);
        storeSynthesis(left, leftMagnitude, leftPhase, scale);
        storeSynthesis(right, rightMagnitude, rightPhase, scale);
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
    float* slot = spectrum.fillBuffer();
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
