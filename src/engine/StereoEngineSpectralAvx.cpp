// The spectral stage's pass over the bins (StereoEngineSpectral.cpp) eight bins per AVX
// register. Every lane runs the SSE2 code's operations in the same order, without fused
// multiply-add, so both give the same bits; the onset detector and Punch/Sizzle, with their
// integer lanes, run on each half in the SSE2 code's bin order. Only unaligned loads and
// stores, and helpers inlined into the loop, as in HartleyTransformAvx.cpp.

#include "engine/SpectralConstants.h"
#include "engine/StereoEngine.h"

#include <immintrin.h>

namespace
{

[[gnu::target("avx"), gnu::always_inline]] inline __m256 selectLanes8(__m256 mask, __m256 chosen, __m256 other)
{
    return _mm256_or_ps(_mm256_and_ps(mask, chosen), _mm256_andnot_ps(mask, other));
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 nonFiniteLanes8(__m256 a, __m256 b)
{
    return _mm256_cmp_ps(_mm256_sub_ps(a, a), _mm256_sub_ps(b, b), _CMP_UNORD_Q);
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 sineOfQuarterTurn(__m256 x)
{
    const __m256 x2 = _mm256_mul_ps(x, x);
    __m256 series = _mm256_set1_ps(kSineSeries[0]);
    for (int term = 1; term < kSineTerms; ++term)
        series = _mm256_add_ps(_mm256_mul_ps(series, x2), _mm256_set1_ps(kSineSeries[term]));
    return _mm256_mul_ps(series, x);
}

struct Phasor
{
    __m256 re;
    __m256 im;
};

struct ChannelBins
{
    float* re;
    float* im;
    float* lastRe;
    float* lastIm;
    float* sumRe;
    float* sumIm;
};

[[gnu::target("avx"), gnu::always_inline]] inline __m256 binMagnitudes(const ChannelBins& bins)
{
    const __m256 re = _mm256_loadu_ps(bins.re);
    const __m256 im = _mm256_loadu_ps(bins.im);
    return _mm256_sqrt_ps(
        _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(re, re), _mm256_mul_ps(im, im)), _mm256_set1_ps(kMagnitudeFloor)));
}

[[gnu::target("avx"), gnu::always_inline]] inline Phasor phaseStep(const ChannelBins& bins, __m256 magnitude,
                                                                   __m256 onset)
{
    const __m256 inverse =
        _mm256_div_ps(_mm256_set1_ps(1.0f), _mm256_add_ps(magnitude, _mm256_set1_ps(kMagnitudeFloor)));
    const __m256 u = _mm256_mul_ps(_mm256_loadu_ps(bins.re), inverse);
    const __m256 v = _mm256_mul_ps(_mm256_loadu_ps(bins.im), inverse);
    const __m256 pr = _mm256_loadu_ps(bins.lastRe);
    const __m256 pi = _mm256_loadu_ps(bins.lastIm);
    const __m256 advanceRe = _mm256_add_ps(_mm256_mul_ps(u, pr), _mm256_mul_ps(v, pi));
    const __m256 advanceIm = _mm256_sub_ps(_mm256_mul_ps(v, pr), _mm256_mul_ps(u, pi));
    const __m256 restart = _mm256_or_ps(onset, nonFiniteLanes8(pr, pi));
    _mm256_storeu_ps(bins.lastRe, u);
    _mm256_storeu_ps(bins.lastIm, v);
    return {selectLanes8(restart, u, advanceRe), selectLanes8(restart, v, advanceIm)};
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 widthBoost(__m256 left, __m256 right, __m256 amount)
{
    const __m256 one = _mm256_set1_ps(1.0f);
    const __m256 ratio = _mm256_div_ps(_mm256_min_ps(left, right), _mm256_max_ps(left, right));
    const __m256 similarity = _mm256_min_ps(ratio, _mm256_set1_ps(kMaxMagnitudeRatio));
    const __m256 angle = _mm256_mul_ps(_mm256_sub_ps(one, similarity), _mm256_set1_ps(kHalfPi));
    return _mm256_add_ps(_mm256_mul_ps(sineOfQuarterTurn(angle), amount), one);
}

[[gnu::target("avx"), gnu::always_inline]] inline Phasor advancePhase(const ChannelBins& bins, Phasor step,
                                                                      __m256 onset)
{
    const __m256 sr = _mm256_loadu_ps(bins.sumRe);
    const __m256 si = _mm256_loadu_ps(bins.sumIm);
    const __m256 advancedRe = _mm256_sub_ps(_mm256_mul_ps(sr, step.re), _mm256_mul_ps(si, step.im));
    const __m256 advancedIm = _mm256_add_ps(_mm256_mul_ps(sr, step.im), _mm256_mul_ps(step.re, si));
    const __m256 restart = _mm256_or_ps(onset, nonFiniteLanes8(advancedRe, advancedIm));
    const Phasor phase{selectLanes8(restart, step.re, advancedRe), selectLanes8(restart, step.im, advancedIm)};
    _mm256_storeu_ps(bins.sumRe, phase.re);
    _mm256_storeu_ps(bins.sumIm, phase.im);
    return phase;
}

[[gnu::target("avx"), gnu::always_inline]] inline void storeSynthesis(const ChannelBins& bins, __m256 magnitude,
                                                                      Phasor phase, __m256 scale)
{
    _mm256_storeu_ps(bins.re, _mm256_mul_ps(_mm256_mul_ps(magnitude, phase.re), scale));
    _mm256_storeu_ps(bins.im, _mm256_mul_ps(_mm256_mul_ps(magnitude, phase.im), scale));
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 joined(__m128 low, __m128 high)
{
    return _mm256_insertf128_ps(_mm256_castps128_ps256(low), high, 1);
}

// Punch and Sizzle on bins k..k+7 of one channel, the lower four first as the SSE2 pass
// adds them to the band sums.
[[gnu::target("avx"), gnu::always_inline]] inline __m256 shapedMagnitudes(const TransientShaper& shaper, int k,
                                                                          __m256 magnitudes, float punch, float sizzle,
                                                                          TransientShaper::BandSums& sums)
{
    const __m128 low = shaper.ShapeMagnitudes(k, _mm256_castps256_ps128(magnitudes), punch, sizzle, sums);
    const __m128 high = shaper.ShapeMagnitudes(k + 4, _mm256_extractf128_ps(magnitudes, 1), punch, sizzle, sums);
    return joined(low, high);
}

}  // namespace

// halfSize is a multiple of eight for every frame length the engine runs.
[[gnu::target("avx")]] StereoEngine::FrameSums StereoEngine::reshapeBinsAvx()
{
    const bool wet = settings.mix > 0.0f;
    const float punch = wet ? settings.punch : 1.0f;
    const float sizzle = wet ? settings.sizzle : 1.0f;
    const __m256 scale = _mm256_set1_ps(outScale * (wet ? settings.gain : 1.0f));
    const bool widening = settings.width > 1.0f;
    const __m256 widthAmount = _mm256_set1_ps(kWidthBoost * (settings.width - 1.0f));
    FrameSums sums;
    for (int k = 0; k < halfSize; k += 8)
    {
        const ChannelBins left{tempBuff[0].data() + k,  tempBuff[0].data() + halfSize + k,
                               lastPhase[0].data() + k, lastPhase[0].data() + halfSize + k,
                               sumPhase[0].data() + k,  sumPhase[0].data() + halfSize + k};
        const ChannelBins right{tempBuff[1].data() + k,  tempBuff[1].data() + halfSize + k,
                                lastPhase[1].data() + k, lastPhase[1].data() + halfSize + k,
                                sumPhase[1].data() + k,  sumPhase[1].data() + halfSize + k};
        __m256 leftMagnitude = binMagnitudes(left);
        __m256 rightMagnitude = binMagnitudes(right);
        const __m256 magnitudeSums = _mm256_add_ps(leftMagnitude, rightMagnitude);
        transientShaper.DetectOnsetsAt(k, _mm256_castps256_ps128(magnitudeSums));
        transientShaper.DetectOnsetsAt(k + 4, _mm256_extractf128_ps(magnitudeSums, 1));
        const __m256 onset = joined(transientShaper.onsetLanes(k), transientShaper.onsetLanes(k + 4));
        const Phasor leftStep = phaseStep(left, leftMagnitude, onset);
        const Phasor rightStep = phaseStep(right, rightMagnitude, onset);
        if (widening)
        {
            const __m256 boost = widthBoost(leftMagnitude, rightMagnitude, widthAmount);
            leftMagnitude = _mm256_mul_ps(leftMagnitude, boost);
            rightMagnitude = _mm256_mul_ps(rightMagnitude, boost);
        }
        if (wet)
        {
            const __m256 eqGain = _mm256_loadu_ps(binEqGain.data() + k);
            leftMagnitude = _mm256_mul_ps(leftMagnitude, eqGain);
            rightMagnitude = _mm256_mul_ps(rightMagnitude, eqGain);
        }
        const Phasor leftPhase = advancePhase(left, leftStep, onset);
        const Phasor rightPhase = advancePhase(right, rightStep, onset);
        leftMagnitude = shapedMagnitudes(transientShaper, k, leftMagnitude, punch, sizzle, sums.channel[0]);
        rightMagnitude = shapedMagnitudes(transientShaper, k, rightMagnitude, punch, sizzle, sums.channel[1]);
        storeSynthesis(left, leftMagnitude, leftPhase, scale);
        storeSynthesis(right, rightMagnitude, rightPhase, scale);
    }
    return sums;
}
