// The per-sample part of StereoEngine, on the audio thread: no allocation, no locks, no I/O.
// Input rings, the dry delay, narrowing, Shape, the bypass crossfade and clip detection.
// Steady stretches go four samples per register, one register per channel (eight with AVX,
// StereoEngineBlockAvx.cpp); a bypass fade and the few samples beside a ring's wrap go one
// stereo pair per register. Every step is per lane and in the same order on all paths, so
// they give the same bits.

#include "engine/BlockConstants.h"
#include "engine/StereoEngine.h"

#include <algorithm>
#include <cmath>
#include <emmintrin.h>

namespace
{

// A NaN or infinite sample (another plug-in's fault upstream) enters as silence, so no ring,
// history or detector ever holds a non-finite value; an absurdly loud one is limited.
inline float saneInput(float sample)
{
    if (std::fabs(sample) <= kInputLimit)
        return sample;
    return std::isfinite(sample) ? std::copysign(kInputLimit, sample) : 0.0f;
}

inline __m128 magnitude(__m128 x)
{
    return _mm_andnot_ps(_mm_set1_ps(-0.0f), x);
}

// saneInput on four samples.
inline __m128 saneInputs(__m128 x)
{
    const __m128 inRange = _mm_cmple_ps(magnitude(x), _mm_set1_ps(kInputLimit));
    if (_mm_movemask_ps(inRange) == 0xF)
        return x;
    const __m128 finite = _mm_cmpord_ps(_mm_sub_ps(x, x), _mm_setzero_ps());
    const __m128 limited = _mm_or_ps(_mm_and_ps(x, _mm_set1_ps(-0.0f)), _mm_set1_ps(kInputLimit));
    return selectLanes(inRange, x, _mm_and_ps(finite, limited));
}

// A left/right pair in the two low lanes.
inline __m128 stereoPair(float left, float right)
{
    return _mm_setr_ps(left, right, 0.0f, 0.0f);
}

// All bits set in the lanes above 1 in size.
inline __m128 beyondUnit(__m128 x)
{
    return _mm_cmpgt_ps(magnitude(x), _mm_set1_ps(1.0f));
}

// Limits to [-1, 1]; a non-finite sample becomes a bounded one (maxps answers its second
// operand when the first is NaN).
inline __m128 clampToUnit(__m128 x)
{
    return _mm_min_ps(_mm_max_ps(x, _mm_set1_ps(-1.0f)), _mm_set1_ps(1.0f));
}

// A Shape stage's weight w and 1 - w.
struct Blend
{
    explicit Blend(__m128 weight) : w(weight), keep(_mm_sub_ps(_mm_set1_ps(1.0f), weight)) {}

    __m128 mix(__m128 curve, __m128 x) const { return _mm_add_ps(_mm_mul_ps(curve, w), _mm_mul_ps(keep, x)); }

    __m128 w;
    __m128 keep;
};

// The cubic soft-saturation curve of the first two Shape stages, blended by weight:
// (3 - x^2)(x / 2) w + (1 - w) x.
inline __m128 cubicShape(__m128 x, const Blend& blend)
{
    const __m128 curve = _mm_mul_ps(_mm_sub_ps(_mm_set1_ps(3.0f), _mm_mul_ps(x, x)), _mm_mul_ps(x, _mm_set1_ps(0.5f)));
    return blend.mix(curve, x);
}

// The third Shape stage, a rational curve that keeps saturating beyond the cubic:
// (3x / (2|x| + 1)) w + (1 - w) x.
inline __m128 rationalShape(__m128 x, const Blend& blend)
{
    const __m128 curve = _mm_div_ps(_mm_mul_ps(_mm_set1_ps(3.0f), x),
                                    _mm_add_ps(_mm_mul_ps(_mm_set1_ps(2.0f), magnitude(x)), _mm_set1_ps(1.0f)));
    return blend.mix(curve, x);
}

// The Shape amounts of the next four samples, advancing `shape` to the last of them.
inline __m128 nextShapes(float target, float& shape)
{
    alignas(16) float steps[4];
    for (float& step : steps)
    {
        shape = smoothedShape(target, shape);
        step = shape;
    }
    return _mm_load_ps(steps);
}

// The three Shape stages with per-lane amounts; a stage only changes the lanes it applies to.
struct ShapeStages
{
    explicit ShapeStages(__m128 shapes)
        : first(_mm_min_ps(shapes, _mm_set1_ps(1.0f))),
          second(_mm_mul_ps(_mm_sub_ps(first.w, _mm_set1_ps(0.5f)), _mm_set1_ps(2.0f))),
          third(_mm_sub_ps(shapes, _mm_set1_ps(1.0f))), secondLanes(_mm_cmpgt_ps(shapes, _mm_set1_ps(0.5f))),
          thirdLanes(_mm_cmpgt_ps(shapes, _mm_set1_ps(1.0f))), secondMask(_mm_movemask_ps(secondLanes)),
          thirdMask(_mm_movemask_ps(thirdLanes))
    {
    }

    __m128 apply(__m128 x) const
    {
        x = cubicShape(x, first);
        if (secondMask != 0)
            x = where(secondMask, secondLanes, cubicShape(x, second), x);
        if (thirdMask != 0)
            x = where(thirdMask, thirdLanes, rationalShape(x, third), x);
        return x;
    }

    static __m128 where(int mask, __m128 lanes, __m128 staged, __m128 x)
    {
        return mask == 0xF ? staged : selectLanes(lanes, staged, x);
    }

    Blend first;
    Blend second;
    Blend third;
    __m128 secondLanes;
    __m128 thirdLanes;
    int secondMask;
    int thirdMask;
};

inline float largestLane(__m128 v)
{
    v = _mm_max_ps(v, _mm_shuffle_ps(v, v, _MM_SHUFFLE(1, 0, 3, 2)));
    v = _mm_max_ps(v, _mm_shuffle_ps(v, v, _MM_SHUFFLE(2, 3, 0, 1)));
    return _mm_cvtss_f32(v);
}

}  // namespace

void StereoEngine::ProcessSample(float inLeft, float inRight, float* outLeft, float* outRight)
{
    float unusedPeakLeft = 0.0f;
    float unusedPeakRight = 0.0f;
    ProcessBlock(&inLeft, &inRight, outLeft, outRight, 1, unusedPeakLeft, unusedPeakRight);
}

// The settings live in locals for the block, since every output store could otherwise
// alias them; the frame sees them written back first.
void StereoEngine::ProcessBlock(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                                int sampleFrames, float& peakLeft, float& peakRight)
{
    if (!ready.load(std::memory_order_relaxed))
        return;
    // Before the block: in place, the output overwrites the input.
    stereoImage.analyseInput(inLeft, inRight, sampleFrames);

    EngineSettings s = settings;
    BlockLevels levels;
    levels.pairPeak = stereoPair(peakLeft, peakRight);
    for (int done = 0; done < sampleFrames;)
    {
        // Up to the next hop: the samples after it read the wet signal its frame adds.
        const int runEnd = done + std::min(sampleFrames - done, hopSize - hopCount);
        while (done < runEnd)
        {
            // A stretch where none of the three ring positions wraps.
            const int stretch = std::min(
                {runEnd - done, untilRingEnd(inPos + 1), untilRingEnd(inPos + 1 - N), untilRingEnd(outPos - N)});
            const int quads = s.mixStep == 0.0f ? stretch & ~3 : 0;
            const int octets = avx ? quads & ~7 : 0;
            processOctets(inLeft + done, inRight + done, outLeft + done, outRight + done, octets, s, levels);
            processQuads(inLeft + done + octets, inRight + done + octets, outLeft + done + octets,
                         outRight + done + octets, quads - octets, s, levels);
            for (int i = done + quads; i < done + stretch; ++i)
                processPair(inLeft[i], inRight[i], outLeft + i, outRight + i, s, levels);
            done += stretch;
            hopCount += stretch;
        }
        if (hopCount >= hopSize)
        {
            settings = s;
            runFrame();
        }
    }
    settings = s;
    const bool clipped = levels.clipped || _mm_movemask_ps(levels.quadClip) != 0;
    if (clipped)
        meters.clipFlag.store(1.0f, std::memory_order_relaxed);
    const __m128 pairPeak = levels.pairPeak;
    peakLeft = std::max(_mm_cvtss_f32(pairPeak), largestLane(levels.leftPeak));
    peakRight = std::max(_mm_cvtss_f32(_mm_shuffle_ps(pairPeak, pairPeak, _MM_SHUFFLE(3, 2, 0, 1))),
                         largestLane(levels.rightPeak));
    stereoImage.analyseOutput(outLeft, outRight, sampleFrames);
}

// One sample, both channels travelling together in the two low lanes of one register.
void StereoEngine::processPair(float inLeft, float inRight, float* outLeft, float* outRight, EngineSettings& s,
                               BlockLevels& levels)
{
    float* const dryLeft = inBuff[0].data();
    float* const dryRight = inBuff[1].data();
    const float inL = saneInput(inLeft);
    const float inR = saneInput(inRight);
    inPos = (inPos + 1) & ringMask;
    dryLeft[inPos] = inL + kAntiDenormal;
    dryRight[inPos] = inR - kAntiDenormal;

    const int readPos = (outPos - N) & ringMask;
    __m128 wet = stereoPair(outBuff[0][readPos], outBuff[1][readPos]);
    const int pairLanes = 3;
    levels.clipped |= (_mm_movemask_ps(beyondUnit(wet)) & pairLanes) != 0;

    s.shape = smoothedShape(s.shapeTarget, s.shape);

    if (s.mix > 0.0f)
    {
        if (s.width < 1.0f)
        {
            const __m128 c = _mm_set1_ps(s.width * 0.5f + 0.5f);
            const __m128 swapped = _mm_shuffle_ps(wet, wet, _MM_SHUFFLE(3, 2, 0, 1));
            wet = _mm_add_ps(_mm_mul_ps(wet, c), _mm_mul_ps(_mm_sub_ps(_mm_set1_ps(1.0f), c), swapped));
        }
        levels.clipped |= (_mm_movemask_ps(beyondUnit(wet)) & pairLanes) != 0;
        wet = ShapeStages(_mm_set1_ps(s.shape)).apply(clampToUnit(wet));
    }

    const int dryPos = (inPos - N) & ringMask;
    const __m128 dry = stereoPair(dryLeft[dryPos], dryRight[dryPos]);
    // Fully bypassed: exactly the delayed input, whatever the wet path holds.
    const __m128 out = s.mix > 0.0f
                           ? _mm_add_ps(_mm_mul_ps(_mm_set1_ps(1.0f - s.mix), dry), _mm_mul_ps(_mm_set1_ps(s.mix), wet))
                           : dry;
    *outLeft = _mm_cvtss_f32(out);
    *outRight = _mm_cvtss_f32(_mm_shuffle_ps(out, out, _MM_SHUFFLE(3, 2, 0, 1)));
    levels.pairPeak = _mm_max_ps(levels.pairPeak, magnitude(out));

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
}

// `count` samples (a multiple of 4, no fade running, no ring wrapping), four per register.
void StereoEngine::processQuads(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int count,
                                EngineSettings& s, BlockLevels& levels)
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
    const __m128 keep = _mm_set1_ps(s.width * 0.5f + 0.5f);
    const __m128 cross = _mm_sub_ps(_mm_set1_ps(1.0f), keep);
    const __m128 dryGain = _mm_set1_ps(1.0f - s.mix);
    const __m128 wetGain = _mm_set1_ps(s.mix);
    // Locals, since any output store could otherwise alias the settings.
    const float shapeTarget = s.shapeTarget;
    float shape = s.shape;
    // Settled, the smoother's recursion gives the same value for ever; a zero weight then
    // leaves every sample as it is.
    const bool steadyShape = smoothedShape(shapeTarget, shape) == shape;
    const bool shaping = !steadyShape || shape != 0.0f;
    ShapeStages stages(_mm_set1_ps(shape));
    __m128 clip = levels.quadClip;
    __m128 leftPeak = levels.leftPeak;
    __m128 rightPeak = levels.rightPeak;

    for (int i = 0; i < count; i += 4)
    {
        const __m128 inL = saneInputs(_mm_loadu_ps(inLeft + i));
        const __m128 inR = saneInputs(_mm_loadu_ps(inRight + i));
        _mm_storeu_ps(writeLeft + i, _mm_add_ps(inL, _mm_set1_ps(kAntiDenormal)));
        _mm_storeu_ps(writeRight + i, _mm_sub_ps(inR, _mm_set1_ps(kAntiDenormal)));

        __m128 wetL = _mm_loadu_ps(wetLeft + i);
        __m128 wetR = _mm_loadu_ps(wetRight + i);
        clip = _mm_or_ps(clip, _mm_or_ps(beyondUnit(wetL), beyondUnit(wetR)));

        if (!steadyShape)
            stages = ShapeStages(nextShapes(shapeTarget, shape));
        __m128 outL = _mm_loadu_ps(dryLeft + i);
        __m128 outR = _mm_loadu_ps(dryRight + i);
        if (wetPath)
        {
            if (narrowing)
            {
                const __m128 narrowL = _mm_add_ps(_mm_mul_ps(wetL, keep), _mm_mul_ps(cross, wetR));
                wetR = _mm_add_ps(_mm_mul_ps(wetR, keep), _mm_mul_ps(cross, wetL));
                wetL = narrowL;
                clip = _mm_or_ps(clip, _mm_or_ps(beyondUnit(wetL), beyondUnit(wetR)));
            }
            wetL = clampToUnit(wetL);
            wetR = clampToUnit(wetR);
            if (shaping)
            {
                wetL = stages.apply(wetL);
                wetR = stages.apply(wetR);
            }
            outL = _mm_add_ps(_mm_mul_ps(dryGain, outL), _mm_mul_ps(wetGain, wetL));
            outR = _mm_add_ps(_mm_mul_ps(dryGain, outR), _mm_mul_ps(wetGain, wetR));
        }
        _mm_storeu_ps(outLeft + i, outL);
        _mm_storeu_ps(outRight + i, outR);
        leftPeak = _mm_max_ps(leftPeak, magnitude(outL));
        rightPeak = _mm_max_ps(rightPeak, magnitude(outR));
    }
    s.shape = shape;
    levels.quadClip = clip;
    levels.leftPeak = leftPeak;
    levels.rightPeak = rightPeak;
    inPos = (inPos + count) & ringMask;
    outPos = (outPos + count) & ringMask;
}
