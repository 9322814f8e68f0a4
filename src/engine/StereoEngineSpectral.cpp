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
    std::fill(spectrum.slots[spectrum.storeIndex.load(std::memory_order_relaxed)],
              spectrum.slots[spectrum.storeIndex.load(std::memory_order_relaxed)] + kSpectrumPoints, 0.0f);
    for (int c = 0; c < 2; ++c)
    {
        const TransientShaper::BandSums sums = synthesise(c);
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
void StereoEngine::analysePhases(int channel)
{
    const float* re = tempBuff[channel].data();
    const float* im = re + halfSize;
    const float* magnitude = anaMagn[channel].data();
    float* freqRe = anaFreq[channel].data();
    float* freqIm = freqRe + halfSize;
    float* lastRe = lastPhase[channel].data();
    float* lastIm = lastRe + halfSize;
    for (int k = 0; k < halfSize; ++k)
    {
        const float inverse = 1.0f / (magnitude[k] + kMagnitudeFloor);
        const float u = re[k] * inverse;
        const float v = im[k] * inverse;
        if (transientShaper.framesSinceOnset(k) != 0)
        {
            freqRe[k] = u * lastRe[k] + v * lastIm[k];
            freqIm[k] = v * lastRe[k] - u * lastIm[k];
        }
        else
        {
            freqRe[k] = u;
            freqIm[k] = v;
        }
        lastRe[k] = u;
        lastIm[k] = v;
    }
}

// Bins whose left and right magnitudes differ are boosted in both channels.
void StereoEngine::widenStereo()
{
    float* left = anaMagn[0].data();
    float* right = anaMagn[1].data();
    const float amount = kWidthBoost * (settings.width - 1.0f);
    for (int k = 0; k < halfSize; ++k)
    {
        const float ratio = right[k] > left[k] ? left[k] / right[k] : right[k] / left[k];
        const float similarity = std::clamp(ratio, 0.0f, kMaxMagnitudeRatio);
        const float boost = std::sin((1.0f - similarity) * kHalfPi) * amount + 1.0f;
        left[k] *= boost;
        right[k] *= boost;
    }
}

TransientShaper::BandSums StereoEngine::synthesise(int channel)
{
    const bool wet = settings.mix > 0.0f;
    // Bypassed, the frame still runs (for meters and display) with neutral amounts.
    const float gain = wet ? settings.gain : 1.0f;
    const float punch = wet ? settings.punch : 1.0f;
    const float sizzle = wet ? settings.sizzle : 1.0f;
    const float scale = outScale * gain;
    const float* magnitude = anaMagn[channel].data();
    const float* freqRe = anaFreq[channel].data();
    const float* freqIm = freqRe + halfSize;
    float* sumRe = sumPhase[channel].data();
    float* sumIm = sumRe + halfSize;
    float* outRe = tempBuff[channel].data();
    float* outIm = outRe + halfSize;
    TransientShaper::BandSums sums;
    for (int k = 0; k < halfSize; ++k)
    {
        float h = magnitude[k];
        if (wet)
            h *= equaliserGainAtBin(eqPowerTable.data(), equaliser.data(), halfSize, k);
        if (transientShaper.framesSinceOnset(k) != 0)
        {
            // Steady: keep the bin's own running phase, advanced by the measured step.
            const float re = sumRe[k] * freqRe[k] - sumIm[k] * freqIm[k];
            const float im = sumRe[k] * freqIm[k] + freqRe[k] * sumIm[k];
            sumRe[k] = re;
            sumIm[k] = im;
        }
        else
        {
            // Onset: take the input's phase again.
            sumRe[k] = freqRe[k];
            sumIm[k] = freqIm[k];
        }
        h = transientShaper.ShapeMagnitude(k, h, punch, sizzle, sums);
        outRe[k] = h * sumRe[k] * scale;
        outIm[k] = h * sumIm[k] * scale;
    }
    return sums;
}

// Adds the channel's output power at the 512 display frequencies (40 Hz to 20040 Hz on a
// fourth-power axis), interpolated between neighbouring bins.
void StereoEngine::addDisplaySpectrum(int channel)
{
    const float* re = tempBuff[channel].data();
    const float* im = re + halfSize;
    float* slot = spectrum.slots[spectrum.storeIndex.load(std::memory_order_relaxed)];
    const float binsAcross = kDisplaySpanHz / binWidthHz;
    const float lowestBin = kDisplayLowHz / binWidthHz;
    for (int j = 0; j < kSpectrumPoints; ++j)
    {
        const float x = static_cast<float>(j) / static_cast<float>(kSpectrumPoints);
        const float position = x * x * x * x * binsAcross + lowestBin;
        const int i = static_cast<int>(position);
        const float f = position - static_cast<float>(i);
        const float lower = 1.0f - f;
        // The last analysed bin has no upper neighbour: weight it twice instead.
        const int upper = i + 1 < halfSize ? i + 1 : i;
        const float upperWeight = i + 1 < halfSize ? f : lower;
        const float a = lower * re[i];
        const float b = lower * im[i];
        const float c = upperWeight * re[upper];
        const float d = upperWeight * im[upper];
        slot[j] += a * a + b * b + c * c + d * d;
    }
}
