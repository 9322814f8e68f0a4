// Runs on the audio thread: no allocation, no locks, no I/O.

#include "engine/StereoImageMeter.h"

#include <algorithm>
#include <cmath>
#include <xmmintrin.h>

namespace
{

constexpr double kInverseSquareRootTwo = 0.70710678118654752440;
// Mean squares below -100 dBFS count as silence, so noise in the last bits never reads as an
// image; averages decayed below kFlushBelow are zeroed before they could become subnormal.
constexpr double kSilencePower = 1e-10;
constexpr double kFlushBelow = 1e-30;

// The step of a one-pole average with the given time constant over a run of samples.
// expm1, not 1 - exp: exact for the small steps of long averages, and a symbol glibc 2.27
// has (exp's newest version needs 2.29, which the modules must not ask for).
double runCoefficient(double seconds, double sampleRate)
{
    return -std::expm1(-StereoImageMeter::kRunLength / (seconds * sampleRate));
}

// A NaN (a host's) fails the comparison too and starts again from silence rather than
// staying stuck; an infinity turns into a NaN at the next run.
double flushed(double value)
{
    return std::fabs(value) >= kFlushBelow ? value : 0.0;
}

float correlationOf(double leftSquare, double rightSquare, double product)
{
    const double power = std::sqrt(leftSquare * rightSquare);
    if (!(power > kSilencePower))
        return 0.0f;
    return static_cast<float>(std::clamp(product / power, -1.0, 1.0));
}

float sumOfLanes(__m128 v)
{
    alignas(16) float lanes[4];
    _mm_store_ps(lanes, v);
    return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]);
}

}  // namespace

bool StereoImageMeter::prepare(float sampleRate)
{
    if (!ring.allocate(kScopePointCapacity, "scopePoints"))
        return false;
    fastCoefficient = runCoefficient(kFastSeconds, sampleRate);
    slowCoefficient = runCoefficient(kSlowSeconds, sampleRate);
    samplesPerPoint = std::max(1.0, static_cast<double>(kScopeHistorySeconds) * sampleRate / kScopePointCapacity);
    reset();
    return true;
}

void StereoImageMeter::reset()
{
    fast = {};
    slow = {};
    run = {};
    runFilled = 0;
    untilNextPoint = 0.0;
    nextPoint = 0;
    pointCount = 0;
}

void StereoImageMeter::analyse(const float* left, const float* right, int sampleFrames)
{
    takePoints(left, right, sampleFrames);
    for (int done = 0; done < sampleFrames;)
    {
        const int count = std::min(sampleFrames - done, kRunLength - runFilled);
        addToRun(left + done, right + done, count);
        done += count;
        runFilled += count;
        if (runFilled == kRunLength)
            endRun();
    }
}

// The run's sums, four samples at a time in float (at most kRunLength of them), then added in
// double.
void StereoImageMeter::addToRun(const float* left, const float* right, int count)
{
    __m128 leftSquares = _mm_setzero_ps();
    __m128 rightSquares = _mm_setzero_ps();
    __m128 products = _mm_setzero_ps();
    int i = 0;
    for (; i + 4 <= count; i += 4)
    {
        const __m128 l = _mm_loadu_ps(left + i);
        const __m128 r = _mm_loadu_ps(right + i);
        leftSquares = _mm_add_ps(leftSquares, _mm_mul_ps(l, l));
        rightSquares = _mm_add_ps(rightSquares, _mm_mul_ps(r, r));
        products = _mm_add_ps(products, _mm_mul_ps(l, r));
    }
    double leftSum = sumOfLanes(leftSquares);
    double rightSum = sumOfLanes(rightSquares);
    double productSum = sumOfLanes(products);
    for (; i < count; ++i)
    {
        leftSum += static_cast<double>(left[i]) * left[i];
        rightSum += static_cast<double>(right[i]) * right[i];
        productSum += static_cast<double>(left[i]) * right[i];
    }
    run.leftSquare += leftSum;
    run.rightSquare += rightSum;
    run.product += productSum;
}

void StereoImageMeter::endRun()
{
    constexpr double kInverseRunLength = 1.0 / kRunLength;
    const auto follow = [&](Products& average, double coefficient)
    {
        average.leftSquare =
            flushed(average.leftSquare + coefficient * (run.leftSquare * kInverseRunLength - average.leftSquare));
        average.rightSquare =
            flushed(average.rightSquare + coefficient * (run.rightSquare * kInverseRunLength - average.rightSquare));
        average.product = flushed(average.product + coefficient * (run.product * kInverseRunLength - average.product));
    };
    follow(fast, fastCoefficient);
    follow(slow, slowCoefficient);
    run = {};
    runFilled = 0;
}

// Every samplesPerPoint-th sample pair, rotated, into the ring.
void StereoImageMeter::takePoints(const float* left, const float* right, int sampleFrames)
{
    double position = untilNextPoint;
    for (; position < sampleFrames; position += samplesPerPoint)
    {
        const int i = static_cast<int>(position);
        const double l = left[i];
        const double r = right[i];
        ring[nextPoint] = {static_cast<float>((r - l) * kInverseSquareRootTwo),
                           static_cast<float>((l + r) * kInverseSquareRootTwo)};
        nextPoint = (nextPoint + 1) % kScopePointCapacity;
        pointCount = std::min(pointCount + 1, kScopePointCapacity);
    }
    untilNextPoint = position - sampleFrames;
}

void StereoImageMeter::read(StereoImageReading& into) const
{
    into.correlationFast = correlationOf(fast.leftSquare, fast.rightSquare, fast.product);
    into.correlationSlow = correlationOf(slow.leftSquare, slow.rightSquare, slow.product);
    const double power = fast.leftSquare + fast.rightSquare;
    into.balance = power > kSilencePower ? static_cast<float>((fast.rightSquare - fast.leftSquare) / power) : 0.0f;
    into.levelDb =
        power > 0.0 ? std::max(kImageSilenceDb, static_cast<float>(10.0 * std::log10(power * 0.5))) : kImageSilenceDb;
    // Unrolled oldest first: the ring's older part starts at nextPoint once it is full.
    const int oldest = pointCount < kScopePointCapacity ? 0 : nextPoint;
    const int olderPart = pointCount - oldest;
    const ScopePoint* points = ring.data();
    std::copy(points + oldest, points + oldest + olderPart, into.points);
    std::copy(points, points + oldest, into.points + olderPart);
    into.pointCount = pointCount;
}
