// The per-sample stage's steady stretches (StereoEngineBlock.cpp, processQuads) eight
// samples per AVX register. Every lane runs the SSE2 code's operations in the same order,
// without fused multiply-add, so both give the same bits; peaks and clip flags are folded
// into the block's four-lane state by max and or, which lose nothing. Only unaligned loads
// and stores, and helpers inlined into the loop, as in HartleyTransformAvx.cpp.

#include "engine/BlockConstants.h"
#include "engine/StereoEngine.h"

#include <immintrin.h>

namespace
{

[[gnu::target("avx"), gnu::always_inline]] inline __m256 selectLanes8(__m256 mask, __m256 chosen, __m256 other)
{
    return _mm256_or_ps(_mm256_and_ps(mask, chosen), _mm256_andnot_ps(mask, other));
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 magnitude(__m256 x)
{
    return _mm256_andnot_ps(_mm256_set1_ps(-0.0f), x);
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 saneInputs(__m256 x)
{
    const __m256 inRange = _mm256_cmp_ps(magnitude(x), _mm256_set1_ps(kInputLimit), _CMP_LE_OS);
    if (_mm256_movemask_ps(inRange) == 0xFF)
        return x;
    const __m256 finite = _mm256_cmp_ps(_mm256_sub_ps(x, x), _mm256_setzero_ps(), _CMP_ORD_Q);
    const __m256 limited = _mm256_or_ps(_mm256_and_ps(x, _mm256_set1_ps(-0.0f)), _mm256_set1_ps(kInputLimit));
    return selectLanes8(inRange, x, _mm256_and_ps(finite, limited));
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 beyondUnit(__m256 x)
{
    return _mm256_cmp_ps(magnitude(x), _mm256_set1_ps(1.0f), _CMP_GT_OS);
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 clampToUnit(__m256 x)
{
    return _mm256_min_ps(_mm256_max_ps(x, _mm256_set1_ps(-1.0f)), _mm256_set1_ps(1.0f));
}

struct Blend
{
    __m256 w;
    __m256 keep;
};

[[gnu::target("avx"), gnu::always_inline]] inline Blend blendOf(__m256 weight)
{
    return {weight, _mm256_sub_ps(_mm256_set1_ps(1.0f), weight)};
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 mix(const Blend& blend, __m256 curve, __m256 x)
{
    return _mm256_add_ps(_mm256_mul_ps(curve, blend.w), _mm256_mul_ps(blend.keep, x));
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 cubicShape(__m256 x, const Blend& blend)
{
    const __m256 curve =
        _mm256_mul_ps(_mm256_sub_ps(_mm256_set1_ps(3.0f), _mm256_mul_ps(x, x)), _mm256_mul_ps(x, _mm256_set1_ps(0.5f)));
    return mix(blend, curve, x);
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 rationalShape(__m256 x, const Blend& blend)
{
    const __m256 curve =
        _mm256_div_ps(_mm256_mul_ps(_mm256_set1_ps(3.0f), x),
                      _mm256_add_ps(_mm256_mul_ps(_mm256_set1_ps(2.0f), magnitude(x)), _mm256_set1_ps(1.0f)));
    return mix(blend, curve, x);
}

// The Shape amounts of the next eight samples, advancing `shape` to the last of them.
[[gnu::target("avx"), gnu::always_inline]] inline __m256 nextShapes(float target, float& shape)
{
    float steps[8];
    for (float& step : steps)
    {
        shape = smoothedShape(target, shape);
        step = shape;
    }
    return _mm256_loadu_ps(steps);
}

struct ShapeStages
{
    Blend first;
    Blend second;
    Blend third;
    __m256 secondLanes;
    __m256 thirdLanes;
    int secondMask;
    int thirdMask;
};

[[gnu::target("avx"), gnu::always_inline]] inline ShapeStages shapeStagesOf(__m256 shapes)
{
    const Blend first = blendOf(_mm256_min_ps(shapes, _mm256_set1_ps(1.0f)));
    const __m256 secondLanes = _mm256_cmp_ps(shapes, _mm256_set1_ps(0.5f), _CMP_GT_OS);
    const __m256 thirdLanes = _mm256_cmp_ps(shapes, _mm256_set1_ps(1.0f), _CMP_GT_OS);
    return {first,
            blendOf(_mm256_mul_ps(_mm256_sub_ps(first.w, _mm256_set1_ps(0.5f)), _mm256_set1_ps(2.0f))),
            blendOf(_mm256_sub_ps(shapes, _mm256_set1_ps(1.0f))),
            secondLanes,
            thirdLanes,
            _mm256_movemask_ps(secondLanes),
            _mm256_movemask_ps(thirdLanes)};
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 where(int mask, __m256 lanes, __m256 staged, __m256 x)
{
    return mask == 0xFF ? staged : selectLanes8(lanes, staged, x);
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 applyShape(const ShapeStages& stages, __m256 x)
{
    x = cubicShape(x, stages.first);
    if (stages.secondMask != 0)
        x = where(stages.secondMask, stages.secondLanes, cubicShape(x, stages.second), x);
    if (stages.thirdMask != 0)
        x = where(stages.thirdMask, stages.thirdLanes, rationalShape(x, stages.third), x);
    return x;
}

[[gnu::target("avx"), gnu::always_inline]] inline __m128 lowerOr(__m256 v)
{
    return _mm_or_ps(_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1));
}

[[gnu::target("avx"), gnu::always_inline]] inline __m128 lowerMax(__m256 v)
{
    return _mm_max_ps(_mm256_castps256_ps128(v), _mm256_extractf128_ps(v, 1));
}

}  // namespace

[[gnu::target("avx")]] void StereoEngine::processOctets(const float* inLeft, const float* inRight, float* outLeft,
                                                        float* outRight, int count, EngineSettings& s,
                                                        BlockLevels& levels)
{
    if (count == 0)
        return;
    float* const writeLeft = inBuff[0].data() + ((inPos + 1) & ringMask);
    float* const writeRight = inBuff[1].data() + ((inPos + 1) & ringMask);
    const float* const dryLeft = inBuff[0].data() + ((inPos + 1 - N) & ringMask);
    const float* const dryRight = inBuff[1].data() + ((inPos + 1 - N) & ringMask);
    const float* const wetLeft = outBuff[0].data() + ((outPos - N) & ringMask);
    const float* const wetRight = outBuff[1].data() + ((outPos - N) & ringMask);

    const bool wetPath = s.mix > 0.0f;
    const bool narrowing = s.width < 1.0f;
    const __m256 keep = _mm256_set1_ps(s.width * 0.5f + 0.5f);
    const __m256 cross = _mm256_sub_ps(_mm256_set1_ps(1.0f), keep);
    const __m256 dryGain = _mm256_set1_ps(1.0f - s.mix);
    const __m256 wetGain = _mm256_set1_ps(s.mix);
    const float shapeTarget = s.shapeTarget;
    float shape = s.shape;
    const bool steadyShape = smoothedShape(shapeTarget, shape) == shape;
    const bool shaping = !steadyShape || shape != 0.0f;
    ShapeStages stages = shapeStagesOf(_mm256_set1_ps(shape));
    __m256 clip = _mm256_setzero_ps();
    __m256 leftPeak = _mm256_setzero_ps();
    __m256 rightPeak = _mm256_setzero_ps();

    for (int i = 0; i < count; i += 8)
    {
        const __m256 inL = saneInputs(_mm256_loadu_ps(inLeft + i));
        const __m256 inR = saneInputs(_mm256_loadu_ps(inRight + i));
        _mm256_storeu_ps(writeLeft + i, _mm256_add_ps(inL, _mm256_set1_ps(kAntiDenormal)));
        _mm256_storeu_ps(writeRight + i, _mm256_sub_ps(inR, _mm256_set1_ps(kAntiDenormal)));

        __m256 wetL = _mm256_loadu_ps(wetLeft + i);
        __m256 wetR = _mm256_loadu_ps(wetRight + i);
        clip = _mm256_or_ps(clip, _mm256_or_ps(beyondUnit(wetL), beyondUnit(wetR)));

        if (!steadyShape)
            stages = shapeStagesOf(nextShapes(shapeTarget, shape));
        __m256 outL = _mm256_loadu_ps(dryLeft + i);
        __m256 outR = _mm256_loadu_ps(dryRight + i);
        if (wetPath)
        {
            if (narrowing)
            {
                const __m256 narrowL = _mm256_add_ps(_mm256_mul_ps(wetL, keep), _mm256_mul_ps(cross, wetR));
                wetR = _mm256_add_ps(_mm256_mul_ps(wetR, keep), _mm256_mul_ps(cross, wetL));
                wetL = narrowL;
                clip = _mm256_or_ps(clip, _mm256_or_ps(beyondUnit(wetL), beyondUnit(wetR)));
            }
            wetL = clampToUnit(wetL);
            wetR = clampToUnit(wetR);
            if (shaping)
            {
                wetL = applyShape(stages, wetL);
                wetR = applyShape(stages, wetR);
            }
            outL = _mm256_add_ps(_mm256_mul_ps(dryGain, outL), _mm256_mul_ps(wetGain, wetL));
            outR = _mm256_add_ps(_mm256_mul_ps(dryGain, outR), _mm256_mul_ps(wetGain, wetR));
        }
        _mm256_storeu_ps(outLeft + i, outL);
        _mm256_storeu_ps(outRight + i, outR);
        leftPeak = _mm256_max_ps(leftPeak, magnitude(outL));
        rightPeak = _mm256_max_ps(rightPeak, magnitude(outR));
    }
    s.shape = shape;
    levels.quadClip = _mm_or_ps(levels.quadClip, lowerOr(clip));
    levels.leftPeak = _mm_max_ps(levels.leftPeak, lowerMax(leftPeak));
    levels.rightPeak = _mm_max_ps(levels.rightPeak, lowerMax(rightPeak));
    inPos = (inPos + count) & ringMask;
    outPos = (outPos + count) & ringMask;
}
