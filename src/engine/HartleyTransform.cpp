#include "engine/HartleyTransform.h"

#include "base/AlignedAlloc.h"

#include <emmintrin.h>

#include <bit>
#include <cmath>
#include <numbers>
#include <utility>

// Radix-4 decimation in time. After the bit-reversal permutation, every group of 4L
// values holds the transforms X0..X3 (length L) of the inputs n = 4m + r for r = 0..3,
// stored in the order X0, X2, X1, X3. With phi = 2 pi k / 4L and, for r = 1..3,
//     T_r = cos(r phi) X_r[k] + sin(r phi) X_r[L - k]
//     U_r = cos(r phi) X_r[L - k] - sin(r phi) X_r[k]
// the combined transform is
//     H[k]      = X0[k] + T1 + T2 + T3
//     H[k + L]  = X0[k] + U1 - T2 - U3
//     H[k + 2L] = X0[k] - T1 + T2 - T3
//     H[k + 3L] = X0[k] - U1 - T2 + U3
// At the mirrored offset L - k the angle is pi/2 - phi: the same formulas hold with
// X0[L - k] for X0[k] and (T_r, U_r) replaced by (T1, -U1), (-U2, -T2), (-T3, U3). So
// offsets k and L - k share one set of rotations, and four such pairs fill one SSE
// register each.

namespace
{
constexpr int minLength = 8;
constexpr int maxLength = 32768; // swap-list indices are 16 bits
constexpr float sqrt2 = 1.4142135f;
constexpr float halfSqrt2 = 0.5f * sqrt2;

// The table lists cos and sin of phi, 2 phi and 3 phi for each offset 1..L/2-1 of a
// stage. The middle offset L/2 (phi = pi/4) has no entry; these are its values.
constexpr float middleOffsetTwiddles[6] = {halfSqrt2, halfSqrt2, 0.0f, 1.0f, -halfSqrt2, halfSqrt2};
constexpr int twiddlesPerOffset = 6;

int TwiddleFloatsOfStage(int quarter)
{
    return twiddlesPerOffset * (quarter / 2 - 1);
}

int BitReversed(int value, int bitCount)
{
    int reversed = 0;
    for (int bit = 0; bit < bitCount; ++bit)
    {
        reversed = (reversed << 1) | ((value >> bit) & 1);
    }
    return reversed;
}

__m128 Reversed(__m128 v)
{
    return _mm_shuffle_ps(v, v, _MM_SHUFFLE(0, 1, 2, 3));
}

// [v0 + v1, v0 - v1, v2 + v3, v2 - v3]
__m128 PairSumsAndDifferences(__m128 v)
{
    const __m128 negateOddLanes = _mm_setr_ps(0.0f, -0.0f, 0.0f, -0.0f);
    const __m128 swappedInPairs = _mm_shuffle_ps(v, v, _MM_SHUFFLE(2, 3, 0, 1));
    return _mm_add_ps(_mm_xor_ps(v, negateOddLanes), swappedInPairs);
}

// The 4-point transform of one register:
// [a0 + a1 + a2 + a3, a0 - a1 + a2 - a3, a0 + a1 - a2 - a3, a0 - a1 - a2 + a3].
__m128 FourPointHartley(__m128 a)
{
    const __m128 negateUpperLanes = _mm_setr_ps(0.0f, 0.0f, -0.0f, -0.0f);
    const __m128 pairs = PairSumsAndDifferences(a);
    const __m128 swappedHalves = _mm_shuffle_ps(pairs, pairs, _MM_SHUFFLE(1, 0, 3, 2));
    return _mm_add_ps(_mm_xor_ps(pairs, negateUpperLanes), swappedHalves);
}

struct Rotation
{
    __m128 cos;
    __m128 sin;
};

struct Rotated
{
    __m128 t; // cos * value + sin * mirror
    __m128 u; // cos * mirror - sin * value
};

Rotated Rotate(__m128 value, __m128 mirror, const Rotation& r)
{
    return {_mm_add_ps(_mm_mul_ps(r.cos, value), _mm_mul_ps(r.sin, mirror)),
            _mm_sub_ps(_mm_mul_ps(r.cos, mirror), _mm_mul_ps(r.sin, value))};
}

// (cos, sin) of multiple 1, 2 or 3 of the angle, one lane per six-float table record.
Rotation GatherRotation(const float* const records[4], int multiple)
{
    const int offset = 2 * (multiple - 1);
    __m128 lanes01 = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(records[0] + offset));
    lanes01 = _mm_loadh_pi(lanes01, reinterpret_cast<const __m64*>(records[1] + offset));
    __m128 lanes23 = _mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(records[2] + offset));
    lanes23 = _mm_loadh_pi(lanes23, reinterpret_cast<const __m64*>(records[3] + offset));
    return {_mm_shuffle_ps(lanes01, lanes23, _MM_SHUFFLE(2, 0, 2, 0)),
            _mm_shuffle_ps(lanes01, lanes23, _MM_SHUFFLE(3, 1, 3, 1))};
}

// First pass for odd log2 N: 8-point transforms, each the 4-point transforms E of
// a0..a3 and O of a4..a7 combined as H[k] = E[k] + D[k], H[k + 4] = E[k] - D[k] with
// D = [O0, sqrt2 (a4 - a5), O2, sqrt2 (a6 - a7)].
void EightPointGroups(float* data, int length)
{
    const __m128 scaleDifferences = _mm_setr_ps(1.0f, sqrt2, 1.0f, sqrt2);
    const __m128 signsOfSecondSum = _mm_setr_ps(1.0f, 0.0f, -1.0f, 0.0f);
    for (float* group = data; group != data + length; group += 8)
    {
        const __m128 even = FourPointHartley(_mm_load_ps(group));
        // p = [a4 + a5, a4 - a5, a6 + a7, a6 - a7]; D = [p0, sqrt2 p1, p0, sqrt2 p3] + [p2, 0, -p2, 0].
        const __m128 p = PairSumsAndDifferences(_mm_load_ps(group + 4));
        const __m128 firstSumAndDifferences = _mm_shuffle_ps(p, p, _MM_SHUFFLE(3, 0, 1, 0));
        const __m128 secondSum = _mm_shuffle_ps(p, p, _MM_SHUFFLE(2, 2, 2, 2));
        const __m128 odd =
            _mm_add_ps(_mm_mul_ps(firstSumAndDifferences, scaleDifferences), _mm_mul_ps(secondSum, signsOfSecondSum));
        _mm_store_ps(group, _mm_add_ps(even, odd));
        _mm_store_ps(group + 4, _mm_sub_ps(even, odd));
    }
}

// First pass for even log2 N, fused with the first radix-4 stage (L = 4): every
// 16-value group fits in four registers. Each register holds one sub-transform, so
// lane k pairs with lane (4 - k) mod 4 and gets its own angle: k = 0 none, k = 2 the
// middle, k = 3 the mirror of the table's only offset k = 1.
void SixteenPointGroups(float* data, int length, const float* stageTwiddles)
{
    const float* w = stageTwiddles;
    const Rotation r1 = {_mm_setr_ps(1.0f, w[0], halfSqrt2, w[1]), _mm_setr_ps(0.0f, w[1], halfSqrt2, w[0])};
    const Rotation r2 = {_mm_setr_ps(1.0f, w[2], 0.0f, -w[2]), _mm_setr_ps(0.0f, w[3], 1.0f, w[3])};
    const Rotation r3 = {_mm_setr_ps(1.0f, w[4], -halfSqrt2, -w[5]), _mm_setr_ps(0.0f, w[5], halfSqrt2, -w[4])};
    for (float* group = data; group != data + length; group += 16)
    {
        const __m128 x0 = FourPointHartley(_mm_load_ps(group));
        const __m128 x2 = FourPointHartley(_mm_load_ps(group + 4));
        const __m128 x1 = FourPointHartley(_mm_load_ps(group + 8));
        const __m128 x3 = FourPointHartley(_mm_load_ps(group + 12));
        const Rotated y1 = Rotate(x1, _mm_shuffle_ps(x1, x1, _MM_SHUFFLE(1, 2, 3, 0)), r1);
        const Rotated y2 = Rotate(x2, _mm_shuffle_ps(x2, x2, _MM_SHUFFLE(1, 2, 3, 0)), r2);
        const Rotated y3 = Rotate(x3, _mm_shuffle_ps(x3, x3, _MM_SHUFFLE(1, 2, 3, 0)), r3);
        const __m128 sum02 = _mm_add_ps(x0, y2.t);
        const __m128 difference02 = _mm_sub_ps(x0, y2.t);
        const __m128 sumT13 = _mm_add_ps(y1.t, y3.t);
        const __m128 differenceU13 = _mm_sub_ps(y1.u, y3.u);
        _mm_store_ps(group, _mm_add_ps(sum02, sumT13));
        _mm_store_ps(group + 4, _mm_add_ps(difference02, differenceU13));
        _mm_store_ps(group + 8, _mm_sub_ps(sum02, sumT13));
        _mm_store_ps(group + 12, _mm_sub_ps(difference02, differenceU13));
    }
}

// Offset 0 of a group: every angle is zero.
void ZeroOffsetButterfly(float* group, int quarter)
{
    const float x0 = group[0];
    const float x2 = group[quarter];
    const float x1 = group[2 * quarter];
    const float x3 = group[3 * quarter];
    const float sum02 = x0 + x2;
    const float difference02 = x0 - x2;
    const float sum13 = x1 + x3;
    const float difference13 = x1 - x3;
    group[0] = sum02 + sum13;
    group[quarter] = difference02 + difference13;
    group[2 * quarter] = sum02 - sum13;
    group[3 * quarter] = difference02 - difference13;
}

// Offsets first..first+3 and their mirrors L - first - 3..L - first of one group.
void MirroredButterflies(float* group, int quarter, int first, const Rotation& r1, const Rotation& r2,
                         const Rotation& r3)
{
    float* const block0 = group;
    float* const block1 = group + quarter;
    float* const block2 = group + 2 * quarter;
    float* const block3 = group + 3 * quarter;
    const int mirrorFirst = quarter - first - 3;

    const __m128 x0 = _mm_loadu_ps(block0 + first);
    const __m128 x0Mirror = Reversed(_mm_load_ps(block0 + mirrorFirst));
    const Rotated y1 = Rotate(_mm_loadu_ps(block2 + first), Reversed(_mm_load_ps(block2 + mirrorFirst)), r1);
    const Rotated y2 = Rotate(_mm_loadu_ps(block1 + first), Reversed(_mm_load_ps(block1 + mirrorFirst)), r2);
    const Rotated y3 = Rotate(_mm_loadu_ps(block3 + first), Reversed(_mm_load_ps(block3 + mirrorFirst)), r3);

    const __m128 sum02 = _mm_add_ps(x0, y2.t);
    const __m128 difference02 = _mm_sub_ps(x0, y2.t);
    const __m128 sumT13 = _mm_add_ps(y1.t, y3.t);
    const __m128 differenceU13 = _mm_sub_ps(y1.u, y3.u);
    _mm_storeu_ps(block0 + first, _mm_add_ps(sum02, sumT13));
    _mm_storeu_ps(block1 + first, _mm_add_ps(difference02, differenceU13));
    _mm_storeu_ps(block2 + first, _mm_sub_ps(sum02, sumT13));
    _mm_storeu_ps(block3 + first, _mm_sub_ps(difference02, differenceU13));

    const __m128 mirrorDifference02 = _mm_sub_ps(x0Mirror, y2.u);
    const __m128 mirrorSum02 = _mm_add_ps(x0Mirror, y2.u);
    const __m128 differenceT13 = _mm_sub_ps(y1.t, y3.t);
    const __m128 sumU13 = _mm_add_ps(y1.u, y3.u);
    _mm_store_ps(block0 + mirrorFirst, Reversed(_mm_add_ps(mirrorDifference02, differenceT13)));
    _mm_store_ps(block1 + mirrorFirst, Reversed(_mm_sub_ps(mirrorSum02, sumU13)));
    _mm_store_ps(block2 + mirrorFirst, Reversed(_mm_sub_ps(mirrorDifference02, differenceT13)));
    _mm_store_ps(block3 + mirrorFirst, Reversed(_mm_add_ps(mirrorSum02, sumU13)));
}

// One radix-4 stage for quarter length L >= 8. Offsets 1..L/2 are done four at a time
// with their mirrors; the last lane is the middle offset L/2, its own mirror, whose
// two results coincide.
void RadixFourStage(float* data, int length, int quarter, const float* stageTwiddles)
{
    const int groupSize = 4 * quarter;
    for (float* group = data; group != data + length; group += groupSize)
    {
        ZeroOffsetButterfly(group, quarter);
    }

    const int middle = quarter / 2;
    for (int first = 1; first + 3 <= middle; first += 4)
    {
        const float* records[4];
        for (int lane = 0; lane < 4; ++lane)
        {
            const int offset = first + lane;
            records[lane] = offset < middle ? stageTwiddles + twiddlesPerOffset * (offset - 1) : middleOffsetTwiddles;
        }
        const Rotation r1 = GatherRotation(records, 1);
        const Rotation r2 = GatherRotation(records, 2);
        const Rotation r3 = GatherRotation(records, 3);
        for (float* group = data; group != data + length; group += groupSize)
        {
            MirroredButterflies(group, quarter, first, r1, r2, r3);
        }
    }
}
}  // namespace

HartleyTransform::~HartleyTransform()
{
    Release();
}

void HartleyTransform::Release()
{
    alignedFree(twiddles);
    alignedFree(swapPairs);
    twiddles = nullptr;
    swapPairs = nullptr;
    swapPairCount = 0;
    length = 0;
}

bool HartleyTransform::Create(int N)
{
    Release();
    if (N < minLength || N > maxLength || !std::has_single_bit(static_cast<unsigned>(N)))
    {
        return false;
    }
    const int log2N = std::countr_zero(static_cast<unsigned>(N));
    const bool odd = log2N % 2 == 1;

    int twiddleFloats = 0;
    for (int quarter = odd ? 8 : 4; quarter <= N / 4; quarter *= 4)
    {
        twiddleFloats += TwiddleFloatsOfStage(quarter);
    }
    int pairCount = 0;
    for (int i = 0; i < N; ++i)
    {
        pairCount += BitReversed(i, log2N) < i ? 1 : 0;
    }

    twiddles = namedAllocArray<float>(twiddleFloats, "CosSinBuff");
    swapPairs = namedAllocArray<std::uint16_t>(2 * pairCount, "interleave");
    if (twiddles == nullptr || swapPairs == nullptr)
    {
        Release();
        return false;
    }

    float* record = twiddles;
    for (int quarter = odd ? 8 : 4; quarter <= N / 4; quarter *= 4)
    {
        const double angleStep = std::numbers::pi / (2.0 * quarter);
        for (int offset = 1; offset < quarter / 2; ++offset)
        {
            for (int multiple = 1; multiple <= 3; ++multiple)
            {
                const double angle = angleStep * offset * multiple;
                *record++ = static_cast<float>(std::cos(angle));
                *record++ = static_cast<float>(std::sin(angle));
            }
        }
    }

    std::uint16_t* pair = swapPairs;
    for (int i = 0; i < N; ++i)
    {
        const int j = BitReversed(i, log2N);
        if (j < i)
        {
            *pair++ = static_cast<std::uint16_t>(i);
            *pair++ = static_cast<std::uint16_t>(j);
        }
    }

    length = N;
    log2LengthIsOdd = odd;
    swapPairCount = pairCount;
    return true;
}

void HartleyTransform::SwapBitReversedPairs(float* data) const
{
    for (int p = 0; p < swapPairCount; ++p)
    {
        std::swap(data[swapPairs[2 * p]], data[swapPairs[2 * p + 1]]);
    }
}

void HartleyTransform::Core(float* data)
{
    if (length == 0)
    {
        return;
    }
    SwapBitReversedPairs(data);

    const float* stageTwiddles = twiddles;
    int quarter = 0;
    if (log2LengthIsOdd)
    {
        EightPointGroups(data, length);
        quarter = 8;
    }
    else
    {
        SixteenPointGroups(data, length, stageTwiddles);
        stageTwiddles += TwiddleFloatsOfStage(4);
        quarter = 16;
    }
    for (; quarter <= length / 4; quarter *= 4)
    {
        RadixFourStage(data, length, quarter, stageTwiddles);
        stageTwiddles += TwiddleFloatsOfStage(quarter);
    }
}

// Swaps position N/2 + i with N - i for i = 1..N/4-1, four at a time. The last block
// of four reaches i = N/4, the middle, which maps to itself: both stores write it back
// unchanged. Only N = 8 is too short for a block and is left to the scalar loop.
void HartleyTransform::ReverseUpperHalf(float* data) const
{
    const int half = length / 2;
    const int quarter = length / 4;
    int i = 1;
    for (; i + 3 <= quarter; i += 4)
    {
        const __m128 low = _mm_loadu_ps(data + half + i);
        const __m128 high = _mm_load_ps(data + length - i - 3);
        _mm_storeu_ps(data + half + i, Reversed(high));
        _mm_store_ps(data + length - i - 3, Reversed(low));
    }
    for (; i < quarter; ++i)
    {
        std::swap(data[half + i], data[length - i]);
    }
}

void HartleyTransform::Forward(float* data)
{
    Core(data);
    ReverseUpperHalf(data);
}

void HartleyTransform::Inverse(float* data)
{
    ReverseUpperHalf(data);
    Core(data);
}
