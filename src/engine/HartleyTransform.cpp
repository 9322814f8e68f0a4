#include "engine/HartleyTransform.h"

#include "base/AlignedAlloc.h"
#include "engine/HartleyTransformAvx.h"

#include <emmintrin.h>

#include <algorithm>
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
// register each. Where the processor has AVX, the passes run eight lanes wide with the
// same bits (HartleyTransformAvx.cpp).
//
// The bit-reversal permutation moves the value at a N/4 + 4b + c (a, c < 4) to
// r(c) N/4 + 4 r(b) + r(a), r the bit reverse over 2 or log2 N - 4 bits: a 4 x 4 block
// taken from offset 4b of each quarter is transposed into offset 4 r(b) of the quarters.
// Every register stored there is one group of four of the first pass, which therefore
// runs on the registers while they are in flight.

namespace
{
constexpr int minLength = 8;
constexpr int maxLength = 32768;  // block-pair indices are 16 bits
constexpr float sqrt2 = 1.4142135f;
constexpr float halfSqrt2 = 0.5f * sqrt2;

// cos and sin of phi, 2 phi and 3 phi at the middle offset L/2 (phi = pi/4) of a stage,
// exact where the rounded double values are not (cos(pi/2) is not 0 in floating point).
constexpr float middleOffsetTwiddles[6] = {halfSqrt2, halfSqrt2, 0.0f, 1.0f, -halfSqrt2, halfSqrt2};
constexpr int twiddlesPerOffset = 6;
constexpr int firstStageTwiddleFloats = 8;  // one record, padded to keep later runs aligned
constexpr int lanes = 4;
// Twiddle runs are eight offsets long, as the AVX path reads them; SSE2 reads half a run.
constexpr int runOffsets = 8;
// From this length on, the AVX path permutes in 8 x 8 blocks.
constexpr int avxBlockMinLength = 64;

int TwiddleFloatsOfStage(int quarter)
{
    const int offsets = std::max(quarter / 2, runOffsets);
    return quarter == 4 ? firstStageTwiddleFloats : twiddlesPerOffset * offsets;
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

// Bit reversal of 8 values [x0..x7] -> [x0 x4 x2 x6 | x1 x5 x3 x7], with the first-pass
// work of each half (see BitReverseIntoFirstGroups).
void BitReverseEight(float* data)
{
    const __m128 low = _mm_load_ps(data);
    const __m128 high = _mm_load_ps(data + 4);
    const __m128 interleavedLow = _mm_unpacklo_ps(low, high);   // x0 x4 x1 x5
    const __m128 interleavedHigh = _mm_unpackhi_ps(low, high);  // x2 x6 x3 x7
    const __m128 even = _mm_shuffle_ps(interleavedLow, interleavedHigh, _MM_SHUFFLE(1, 0, 1, 0));
    const __m128 odd = _mm_shuffle_ps(interleavedLow, interleavedHigh, _MM_SHUFFLE(3, 2, 3, 2));
    _mm_store_ps(data, FourPointHartley(even));
    _mm_store_ps(data + 4, PairSumsAndDifferences(odd));
}

// The four registers at offset 4b of the four quarters, transposed so that register q
// holds the values bound for quarter q, each already in its bit-reversed lane.
struct BlockOfSixteen
{
    __m128 quarter[4];
};

// The two helpers below are forced inline: as calls, GCC passes the block through memory
// and the permutation takes about twice as many instructions.

[[gnu::always_inline]] inline BlockOfSixteen LoadTransposedBlock(const float* data, int quarterLength, int block)
{
    // Loading quarters 0, 2, 1, 3 makes lane a of the result the bit reverse of a.
    const float* source = data + lanes * block;
    __m128 q0 = _mm_load_ps(source);
    __m128 q2 = _mm_load_ps(source + 2 * quarterLength);
    __m128 q1 = _mm_load_ps(source + quarterLength);
    __m128 q3 = _mm_load_ps(source + 3 * quarterLength);
    const __m128 lanes01Of02 = _mm_unpacklo_ps(q0, q2);
    const __m128 lanes01Of13 = _mm_unpacklo_ps(q1, q3);
    const __m128 lanes23Of02 = _mm_unpackhi_ps(q0, q2);
    const __m128 lanes23Of13 = _mm_unpackhi_ps(q1, q3);
    // Source lane c goes to quarter r(c): lanes 0, 1, 2, 3 to quarters 0, 2, 1, 3.
    q0 = _mm_movelh_ps(lanes01Of02, lanes01Of13);
    q2 = _mm_movehl_ps(lanes01Of13, lanes01Of02);
    q1 = _mm_movelh_ps(lanes23Of02, lanes23Of13);
    q3 = _mm_movehl_ps(lanes23Of13, lanes23Of02);
    return {{q0, q1, q2, q3}};
}

// Stores a block at offset 4b of the quarters after the first pass's own work on each
// register: the 4-point transform, or for odd log2 N in the upper half of an 8-point
// group only the pair sums and differences that its odd part starts from.
[[gnu::always_inline]] inline void StoreFirstGroups(float* data, int quarterLength, int block,
                                                    const BlockOfSixteen& values, bool pairsOnly)
{
    float* const target = data + lanes * block;
    if (pairsOnly)
    {
        _mm_store_ps(target, PairSumsAndDifferences(values.quarter[0]));
        _mm_store_ps(target + quarterLength, PairSumsAndDifferences(values.quarter[1]));
        _mm_store_ps(target + 2 * quarterLength, PairSumsAndDifferences(values.quarter[2]));
        _mm_store_ps(target + 3 * quarterLength, PairSumsAndDifferences(values.quarter[3]));
    }
    else
    {
        _mm_store_ps(target, FourPointHartley(values.quarter[0]));
        _mm_store_ps(target + quarterLength, FourPointHartley(values.quarter[1]));
        _mm_store_ps(target + 2 * quarterLength, FourPointHartley(values.quarter[2]));
        _mm_store_ps(target + 3 * quarterLength, FourPointHartley(values.quarter[3]));
    }
}

struct Rotation
{
    __m128 cos;
    __m128 sin;
};

struct Rotated
{
    __m128 t;  // cos * value + sin * mirror
    __m128 u;  // cos * mirror - sin * value
};

Rotated Rotate(__m128 value, __m128 mirror, const Rotation& r)
{
    return {_mm_add_ps(_mm_mul_ps(r.cos, value), _mm_mul_ps(r.sin, mirror)),
            _mm_sub_ps(_mm_mul_ps(r.cos, mirror), _mm_mul_ps(r.sin, value))};
}

// First pass for odd log2 N: 8-point transforms, each the 4-point transforms E of
// a0..a3 and O of a4..a7 combined as H[k] = E[k] + D[k], H[k + 4] = E[k] - D[k] with
// D = [O0, sqrt2 (a4 - a5), O2, sqrt2 (a6 - a7)]. The bit reversal has already left E
// and the pair sums p below in place.
void EightPointGroups(float* data, int length)
{
    const __m128 scaleDifferences = _mm_setr_ps(1.0f, sqrt2, 1.0f, sqrt2);
    const __m128 signsOfSecondSum = _mm_setr_ps(1.0f, 0.0f, -1.0f, 0.0f);
    for (float* group = data; group != data + length; group += 8)
    {
        const __m128 even = _mm_load_ps(group);
        // p = [a4 + a5, a4 - a5, a6 + a7, a6 - a7]; D = [p0, sqrt2 p1, p0, sqrt2 p3] + [p2, 0, -p2, 0].
        const __m128 p = _mm_load_ps(group + 4);
        const __m128 firstSumAndDifferences = _mm_shuffle_ps(p, p, _MM_SHUFFLE(3, 0, 1, 0));
        const __m128 secondSum = _mm_shuffle_ps(p, p, _MM_SHUFFLE(2, 2, 2, 2));
        const __m128 odd =
            _mm_add_ps(_mm_mul_ps(firstSumAndDifferences, scaleDifferences), _mm_mul_ps(secondSum, signsOfSecondSum));
        _mm_store_ps(group, _mm_add_ps(even, odd));
        _mm_store_ps(group + 4, _mm_sub_ps(even, odd));
    }
}

// The first radix-4 stage (L = 4) for even log2 N, on the 4-point transforms the bit
// reversal left: every 16-value group fits in four registers. Each register holds one
// sub-transform, so
// lane k pairs with lane (4 - k) mod 4 and gets its own angle: k = 0 none, k = 2 the
// middle, k = 3 the mirror of the table's only offset k = 1.
void SixteenPointGroups(float* data, int length, const float* stageTwiddles, bool avx)
{
    const float* w = stageTwiddles;
    const Rotation r1 = {_mm_setr_ps(1.0f, w[0], halfSqrt2, w[1]), _mm_setr_ps(0.0f, w[1], halfSqrt2, w[0])};
    const Rotation r2 = {_mm_setr_ps(1.0f, w[2], 0.0f, -w[2]), _mm_setr_ps(0.0f, w[3], 1.0f, w[3])};
    const Rotation r3 = {_mm_setr_ps(1.0f, w[4], -halfSqrt2, -w[5]), _mm_setr_ps(0.0f, w[5], halfSqrt2, -w[4])};
    if (avx && length >= 32)
    {
        const __m128 rotations[6] = {r1.cos, r1.sin, r2.cos, r2.sin, r3.cos, r3.sin};
        SixteenPointGroupsAvx(data, length, rotations);
        return;
    }
    for (float* group = data; group != data + length; group += 16)
    {
        const __m128 x0 = _mm_load_ps(group);
        const __m128 x2 = _mm_load_ps(group + 4);
        const __m128 x1 = _mm_load_ps(group + 8);
        const __m128 x3 = _mm_load_ps(group + 12);
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

// One radix-4 stage for quarter length L >= 8. Offsets 1..L/2 are done four (or with
// AVX, from L = 16 on, eight) at a time with their mirrors; the last lane is the middle
// offset L/2, its own mirror, whose two results coincide.
void RadixFourStage(float* data, int length, int quarter, const float* stageTwiddles, bool avx)
{
    const int groupSize = 4 * quarter;
    for (float* group = data; group != data + length; group += groupSize)
    {
        ZeroOffsetButterfly(group, quarter);
    }
    if (avx && quarter >= 2 * runOffsets)
    {
        MirroredButterfliesAvx(data, length, quarter, stageTwiddles);
        return;
    }
    if (avx && quarter == 8 && length >= 64)
    {
        QuarterEightButterfliesAvx(data, length, stageTwiddles);
        return;
    }

    const int middle = quarter / 2;
    for (int first = 1; first + 3 <= middle; first += lanes)
    {
        // Offsets first..first+3 are one half of a run of eight.
        const int runStart = twiddlesPerOffset * runOffsets * ((first - 1) / runOffsets);
        const float* const run = stageTwiddles + runStart + (first - 1) % runOffsets;
        const Rotation r1 = {_mm_load_ps(run), _mm_load_ps(run + runOffsets)};
        const Rotation r2 = {_mm_load_ps(run + 2 * runOffsets), _mm_load_ps(run + 3 * runOffsets)};
        const Rotation r3 = {_mm_load_ps(run + 4 * runOffsets), _mm_load_ps(run + 5 * runOffsets)};
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
    alignedFree(blockPairs);
    twiddles = nullptr;
    blockPairs = nullptr;
    blockPairCount = 0;
    length = 0;
    avx = false;
}

bool HartleyTransform::Create(int N, VectorPath path)
{
    Release();
    if (N < minLength || N > maxLength || !std::has_single_bit(static_cast<unsigned>(N)))
    {
        return false;
    }
    const int log2N = std::countr_zero(static_cast<unsigned>(N));
    const bool odd = log2N % 2 == 1;
    const bool wide = avxAllowed(path);

    int twiddleFloats = 0;
    for (int quarter = odd ? 8 : 4; quarter <= N / 4; quarter *= 4)
    {
        twiddleFloats += TwiddleFloatsOfStage(quarter);
    }
    // N = 8 is too short for 4 x 4 blocks and is reversed in registers.
    const int blockSideBits = wide && N >= avxBlockMinLength ? 3 : 2;
    const int blockBits = std::max(log2N - 2 * blockSideBits, 0);
    const int blockCount = N >> (2 * blockSideBits);
    int pairCount = 0;
    for (int block = 0; block < blockCount; ++block)
    {
        pairCount += block <= BitReversed(block, blockBits) ? 1 : 0;
    }

    twiddles = namedAllocArray<float>(twiddleFloats, "CosSinBuff");
    blockPairs = namedAllocArray<std::uint16_t>(2 * std::max(pairCount, 1), "interleave");
    if (twiddles == nullptr || blockPairs == nullptr)
    {
        Release();
        return false;
    }

    float* stage = twiddles;
    for (int quarter = odd ? 8 : 4; quarter <= N / 4; quarter *= 4)
    {
        const double angleStep = std::numbers::pi / (2.0 * quarter);
        const int middle = quarter / 2;
        for (int offset = 1; offset <= middle; ++offset)
        {
            for (int multiple = 1; multiple <= 3; ++multiple)
            {
                const double angle = angleStep * offset * multiple;
                const int cosIndex = 2 * (multiple - 1);
                const bool isMiddle = offset == middle;
                const float cosine = isMiddle ? middleOffsetTwiddles[cosIndex] : static_cast<float>(std::cos(angle));
                const float sine = isMiddle ? middleOffsetTwiddles[cosIndex + 1] : static_cast<float>(std::sin(angle));
                if (quarter == 4)
                {
                    if (!isMiddle)
                    {
                        stage[cosIndex] = cosine;
                        stage[cosIndex + 1] = sine;
                    }
                    continue;
                }
                // Run of the offset, then register (cos or sin of the multiple), then lane.
                float* const run = stage + twiddlesPerOffset * runOffsets * ((offset - 1) / runOffsets);
                const int lane = (offset - 1) % runOffsets;
                run[runOffsets * cosIndex + lane] = cosine;
                run[runOffsets * (cosIndex + 1) + lane] = sine;
            }
        }
        stage += TwiddleFloatsOfStage(quarter);
    }

    std::uint16_t* pair = blockPairs;
    for (int block = 0; block < blockCount; ++block)
    {
        const int reversed = BitReversed(block, blockBits);
        if (block <= reversed)
        {
            *pair++ = static_cast<std::uint16_t>(block);
            *pair++ = static_cast<std::uint16_t>(reversed);
        }
    }

    length = N;
    log2LengthIsOdd = odd;
    avx = wide;
    blockPairCount = pairCount;
    return true;
}

// The bit-reversal permutation, block pair by block pair, with the first pass's work
// per group of four done on the way (see StoreFirstGroups). For odd log2 N the stored
// register is the upper half of its 8-point group when its offset 4 r(b) is odd.
void HartleyTransform::BitReverseIntoFirstGroups(float* data) const
{
    if (length == 8)
    {
        BitReverseEight(data);
        return;
    }
    if (avx && length >= avxBlockMinLength)
    {
        BitReverseIntoFirstGroupsAvx(data, length, blockPairs, blockPairCount, log2LengthIsOdd);
        return;
    }
    const int quarterLength = length / 4;
    for (int p = 0; p < blockPairCount; ++p)
    {
        const int block = blockPairs[2 * p];
        const int reversed = blockPairs[2 * p + 1];
        const BlockOfSixteen fromBlock = LoadTransposedBlock(data, quarterLength, block);
        if (block != reversed)
        {
            const BlockOfSixteen fromReversed = LoadTransposedBlock(data, quarterLength, reversed);
            StoreFirstGroups(data, quarterLength, block, fromReversed, log2LengthIsOdd && (block & 1) != 0);
        }
        StoreFirstGroups(data, quarterLength, reversed, fromBlock, log2LengthIsOdd && (reversed & 1) != 0);
    }
}

void HartleyTransform::Core(float* data)
{
    if (length == 0)
    {
        return;
    }
    BitReverseIntoFirstGroups(data);

    const float* stageTwiddles = twiddles;
    int quarter = 0;
    if (log2LengthIsOdd)
    {
        if (avx && length >= 16)
            EightPointGroupsAvx(data, length);
        else
            EightPointGroups(data, length);
        quarter = 8;
    }
    else
    {
        SixteenPointGroups(data, length, stageTwiddles, avx);
        stageTwiddles += TwiddleFloatsOfStage(4);
        quarter = 16;
    }
    for (; quarter <= length / 4; quarter *= 4)
    {
        RadixFourStage(data, length, quarter, stageTwiddles, avx);
        stageTwiddles += TwiddleFloatsOfStage(quarter);
    }
}

// Swaps position N/2 + i with N - i for i = 1..N/4-1, four at a time. The last block
// of four reaches i = N/4, the middle, which maps to itself: both stores write it back
// unchanged. Only N = 8 is too short for a block and is left to the scalar loop.
void HartleyTransform::ReverseUpperHalf(float* data) const
{
    if (avx && length >= 32)
    {
        ReverseUpperHalfAvx(data, length);
        return;
    }
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
