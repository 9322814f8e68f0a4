#include "engine/HartleyTransformAvx.h"

#include <immintrin.h>

// The functions carry their own target so the rest of the program stays SSE2-only. Buffers
// are read and written with unaligned loads and stores, and every helper is inlined into
// the loop that calls it, so 256-bit values live in registers. GCC may still spill one to
// the stack, which MinGW-w64 cannot align to 32 bytes: the Windows build assembles the AVX
// files with unaligned moves only (src/CMakeLists.txt).
namespace
{

constexpr int kLanes = 8;
constexpr float kSqrt2 = 1.4142135f;
constexpr int kTwiddleRegisters = 6;

[[gnu::target("avx"), gnu::always_inline]] inline __m256 reversed(__m256 v)
{
    const __m256 withinHalves = _mm256_permute_ps(v, _MM_SHUFFLE(0, 1, 2, 3));
    return _mm256_permute2f128_ps(withinHalves, withinHalves, 0x01);
}

struct Rotation
{
    __m256 cos;
    __m256 sin;
};

struct Rotated
{
    __m256 t;  // cos * value + sin * mirror
    __m256 u;  // cos * mirror - sin * value
};

[[gnu::target("avx"), gnu::always_inline]] inline Rotated rotate(__m256 value, __m256 mirror, const Rotation& r)
{
    return {_mm256_add_ps(_mm256_mul_ps(r.cos, value), _mm256_mul_ps(r.sin, mirror)),
            _mm256_sub_ps(_mm256_mul_ps(r.cos, mirror), _mm256_mul_ps(r.sin, value))};
}

// Offsets first..first+7 and their mirrors L - first - 7..L - first of one group.
[[gnu::target("avx"), gnu::always_inline]] inline void
mirroredButterflies(float* group, int quarter, int first, const Rotation& r1, const Rotation& r2, const Rotation& r3)
{
    float* const block0 = group;
    float* const block1 = group + quarter;
    float* const block2 = group + 2 * quarter;
    float* const block3 = group + 3 * quarter;
    const int mirrorFirst = quarter - first - (kLanes - 1);

    const __m256 x0 = _mm256_loadu_ps(block0 + first);
    const __m256 x0Mirror = reversed(_mm256_loadu_ps(block0 + mirrorFirst));
    const Rotated y1 = rotate(_mm256_loadu_ps(block2 + first), reversed(_mm256_loadu_ps(block2 + mirrorFirst)), r1);
    const Rotated y2 = rotate(_mm256_loadu_ps(block1 + first), reversed(_mm256_loadu_ps(block1 + mirrorFirst)), r2);
    const Rotated y3 = rotate(_mm256_loadu_ps(block3 + first), reversed(_mm256_loadu_ps(block3 + mirrorFirst)), r3);

    const __m256 sum02 = _mm256_add_ps(x0, y2.t);
    const __m256 difference02 = _mm256_sub_ps(x0, y2.t);
    const __m256 sumT13 = _mm256_add_ps(y1.t, y3.t);
    const __m256 differenceU13 = _mm256_sub_ps(y1.u, y3.u);
    _mm256_storeu_ps(block0 + first, _mm256_add_ps(sum02, sumT13));
    _mm256_storeu_ps(block1 + first, _mm256_add_ps(difference02, differenceU13));
    _mm256_storeu_ps(block2 + first, _mm256_sub_ps(sum02, sumT13));
    _mm256_storeu_ps(block3 + first, _mm256_sub_ps(difference02, differenceU13));

    const __m256 mirrorDifference02 = _mm256_sub_ps(x0Mirror, y2.u);
    const __m256 mirrorSum02 = _mm256_add_ps(x0Mirror, y2.u);
    const __m256 differenceT13 = _mm256_sub_ps(y1.t, y3.t);
    const __m256 sumU13 = _mm256_add_ps(y1.u, y3.u);
    _mm256_storeu_ps(block0 + mirrorFirst, reversed(_mm256_add_ps(mirrorDifference02, differenceT13)));
    _mm256_storeu_ps(block1 + mirrorFirst, reversed(_mm256_sub_ps(mirrorSum02, sumU13)));
    _mm256_storeu_ps(block2 + mirrorFirst, reversed(_mm256_sub_ps(mirrorDifference02, differenceT13)));
    _mm256_storeu_ps(block3 + mirrorFirst, reversed(_mm256_add_ps(mirrorSum02, sumU13)));
}

// Reverses the lanes of each half: offsets first..first+3 of two groups at once.
[[gnu::target("avx"), gnu::always_inline]] inline __m256 reversedHalves(__m256 v)
{
    return _mm256_permute_ps(v, _MM_SHUFFLE(0, 1, 2, 3));
}

[[gnu::target("avx"), gnu::always_inline]] inline __m256 loadTwoGroups(const float* group, int groupSize)
{
    return _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(group)), _mm_loadu_ps(group + groupSize), 1);
}

[[gnu::target("avx"), gnu::always_inline]] inline void storeTwoGroups(float* group, int groupSize, __m256 v)
{
    _mm_storeu_ps(group, _mm256_castps256_ps128(v));
    _mm_storeu_ps(group + groupSize, _mm256_extractf128_ps(v, 1));
}

// [v0 + v1, v0 - v1, v2 + v3, v2 - v3] in each half.
[[gnu::target("avx"), gnu::always_inline]] inline __m256 pairSumsAndDifferences(__m256 v)
{
    const __m256 negateOddLanes = _mm256_setr_ps(0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f);
    const __m256 swappedInPairs = _mm256_permute_ps(v, _MM_SHUFFLE(2, 3, 0, 1));
    return _mm256_add_ps(_mm256_xor_ps(v, negateOddLanes), swappedInPairs);
}

// The 4-point transform of each half, from its pair sums and differences.
[[gnu::target("avx"), gnu::always_inline]] inline __m256 fourPointFromPairs(__m256 pairs)
{
    const __m256 negateUpperLanes = _mm256_setr_ps(0.0f, 0.0f, -0.0f, -0.0f, 0.0f, 0.0f, -0.0f, -0.0f);
    const __m256 swappedHalves = _mm256_permute_ps(pairs, _MM_SHUFFLE(1, 0, 3, 2));
    return _mm256_add_ps(_mm256_xor_ps(pairs, negateUpperLanes), swappedHalves);
}

// Eight registers, one per eighth of the buffer.
struct BlockOfSixtyFour
{
    __m256 eighth[8];
};

// The registers at offset 8b of the eighths, transposed so that register e holds the values
// bound for eighth e, each in its bit-reversed lane: loading the eighths in bit-reversed
// order makes lane l come from eighth r(l), and column c goes to eighth r(c).
[[gnu::target("avx"), gnu::always_inline]] inline BlockOfSixtyFour loadTransposedBlock(const float* data,
                                                                                       int eighthLength, int block)
{
    const float* source = data + kLanes * block;
    const __m256 s0 = _mm256_loadu_ps(source);
    const __m256 s1 = _mm256_loadu_ps(source + 4 * eighthLength);
    const __m256 s2 = _mm256_loadu_ps(source + 2 * eighthLength);
    const __m256 s3 = _mm256_loadu_ps(source + 6 * eighthLength);
    const __m256 s4 = _mm256_loadu_ps(source + eighthLength);
    const __m256 s5 = _mm256_loadu_ps(source + 5 * eighthLength);
    const __m256 s6 = _mm256_loadu_ps(source + 3 * eighthLength);
    const __m256 s7 = _mm256_loadu_ps(source + 7 * eighthLength);
    const __m256 t0 = _mm256_unpacklo_ps(s0, s1);
    const __m256 t1 = _mm256_unpackhi_ps(s0, s1);
    const __m256 t2 = _mm256_unpacklo_ps(s2, s3);
    const __m256 t3 = _mm256_unpackhi_ps(s2, s3);
    const __m256 t4 = _mm256_unpacklo_ps(s4, s5);
    const __m256 t5 = _mm256_unpackhi_ps(s4, s5);
    const __m256 t6 = _mm256_unpacklo_ps(s6, s7);
    const __m256 t7 = _mm256_unpackhi_ps(s6, s7);
    // Columns c and c + 4 of rows 0-3 (u0..u3) and of rows 4-7 (u4..u7).
    const __m256 u0 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 u1 = _mm256_shuffle_ps(t0, t2, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 u2 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 u3 = _mm256_shuffle_ps(t1, t3, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 u4 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 u5 = _mm256_shuffle_ps(t4, t6, _MM_SHUFFLE(3, 2, 3, 2));
    const __m256 u6 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(1, 0, 1, 0));
    const __m256 u7 = _mm256_shuffle_ps(t5, t7, _MM_SHUFFLE(3, 2, 3, 2));
    // Column c goes to eighth r(c): columns 0..7 to eighths 0, 4, 2, 6, 1, 5, 3, 7.
    return {{_mm256_permute2f128_ps(u0, u4, 0x20), _mm256_permute2f128_ps(u0, u4, 0x31),
             _mm256_permute2f128_ps(u2, u6, 0x20), _mm256_permute2f128_ps(u2, u6, 0x31),
             _mm256_permute2f128_ps(u1, u5, 0x20), _mm256_permute2f128_ps(u1, u5, 0x31),
             _mm256_permute2f128_ps(u3, u7, 0x20), _mm256_permute2f128_ps(u3, u7, 0x31)}};
}

// The first pass's work on one register: 4-point transforms of both halves, or for odd
// log2 N in the upper half (the upper half of an 8-point group) only the pair sums.
template <bool oddLog2Length> [[gnu::target("avx"), gnu::always_inline]] inline __m256 firstGroups(__m256 values)
{
    const __m256 pairs = pairSumsAndDifferences(values);
    const __m256 fourPoint = fourPointFromPairs(pairs);
    return oddLog2Length ? _mm256_blend_ps(fourPoint, pairs, 0xF0) : fourPoint;
}

// Stores a block at offset 8b of the eighths after the first pass's work, written out so
// that the block stays in registers.
template <bool oddLog2Length>
[[gnu::target("avx"), gnu::always_inline]] inline void storeFirstGroups(float* data, int eighthLength, int block,
                                                                        const BlockOfSixtyFour& values)
{
    float* const target = data + kLanes * block;
    _mm256_storeu_ps(target, firstGroups<oddLog2Length>(values.eighth[0]));
    _mm256_storeu_ps(target + eighthLength, firstGroups<oddLog2Length>(values.eighth[1]));
    _mm256_storeu_ps(target + 2 * eighthLength, firstGroups<oddLog2Length>(values.eighth[2]));
    _mm256_storeu_ps(target + 3 * eighthLength, firstGroups<oddLog2Length>(values.eighth[3]));
    _mm256_storeu_ps(target + 4 * eighthLength, firstGroups<oddLog2Length>(values.eighth[4]));
    _mm256_storeu_ps(target + 5 * eighthLength, firstGroups<oddLog2Length>(values.eighth[5]));
    _mm256_storeu_ps(target + 6 * eighthLength, firstGroups<oddLog2Length>(values.eighth[6]));
    _mm256_storeu_ps(target + 7 * eighthLength, firstGroups<oddLog2Length>(values.eighth[7]));
}

template <bool oddLog2Length>
[[gnu::target("avx"), gnu::always_inline]] inline void
bitReverseBlockPairs(float* data, int length, const std::uint16_t* blockPairs, int pairCount)
{
    const int eighthLength = length / 8;
    for (int p = 0; p < pairCount; ++p)
    {
        const int block = blockPairs[2 * p];
        const int reversed = blockPairs[2 * p + 1];
        const BlockOfSixtyFour fromBlock = loadTransposedBlock(data, eighthLength, block);
        if (block != reversed)
        {
            const BlockOfSixtyFour fromReversed = loadTransposedBlock(data, eighthLength, reversed);
            storeFirstGroups<oddLog2Length>(data, eighthLength, block, fromReversed);
        }
        storeFirstGroups<oddLog2Length>(data, eighthLength, reversed, fromBlock);
    }
}

}  // namespace

[[gnu::target("avx")]] void BitReverseIntoFirstGroupsAvx(float* data, int length, const std::uint16_t* blockPairs,
                                                         int pairCount, bool oddLog2Length)
{
    if (oddLog2Length)
        bitReverseBlockPairs<true>(data, length, blockPairs, pairCount);
    else
        bitReverseBlockPairs<false>(data, length, blockPairs, pairCount);
}

[[gnu::target("avx")]] void QuarterEightButterfliesAvx(float* data, int length, const float* stageTwiddles)
{
    constexpr int quarter = 8;
    constexpr int groupSize = 4 * quarter;
    constexpr int first = 1;
    constexpr int mirrorFirst = quarter - first - 3;
    // The same four offsets in both halves: each twiddle register holds its four twice.
    const Rotation r1 = {_mm256_broadcast_ps(reinterpret_cast<const __m128*>(stageTwiddles)),
                         _mm256_broadcast_ps(reinterpret_cast<const __m128*>(stageTwiddles + kLanes))};
    const Rotation r2 = {_mm256_broadcast_ps(reinterpret_cast<const __m128*>(stageTwiddles + 2 * kLanes)),
                         _mm256_broadcast_ps(reinterpret_cast<const __m128*>(stageTwiddles + 3 * kLanes))};
    const Rotation r3 = {_mm256_broadcast_ps(reinterpret_cast<const __m128*>(stageTwiddles + 4 * kLanes)),
                         _mm256_broadcast_ps(reinterpret_cast<const __m128*>(stageTwiddles + 5 * kLanes))};
    for (float* group = data; group != data + length; group += 2 * groupSize)
    {
        float* const block0 = group;
        float* const block1 = group + quarter;
        float* const block2 = group + 2 * quarter;
        float* const block3 = group + 3 * quarter;

        const __m256 x0 = loadTwoGroups(block0 + first, groupSize);
        const __m256 x0Mirror = reversedHalves(loadTwoGroups(block0 + mirrorFirst, groupSize));
        const Rotated y1 = rotate(loadTwoGroups(block2 + first, groupSize),
                                  reversedHalves(loadTwoGroups(block2 + mirrorFirst, groupSize)), r1);
        const Rotated y2 = rotate(loadTwoGroups(block1 + first, groupSize),
                                  reversedHalves(loadTwoGroups(block1 + mirrorFirst, groupSize)), r2);
        const Rotated y3 = rotate(loadTwoGroups(block3 + first, groupSize),
                                  reversedHalves(loadTwoGroups(block3 + mirrorFirst, groupSize)), r3);

        const __m256 sum02 = _mm256_add_ps(x0, y2.t);
        const __m256 difference02 = _mm256_sub_ps(x0, y2.t);
        const __m256 sumT13 = _mm256_add_ps(y1.t, y3.t);
        const __m256 differenceU13 = _mm256_sub_ps(y1.u, y3.u);
        storeTwoGroups(block0 + first, groupSize, _mm256_add_ps(sum02, sumT13));
        storeTwoGroups(block1 + first, groupSize, _mm256_add_ps(difference02, differenceU13));
        storeTwoGroups(block2 + first, groupSize, _mm256_sub_ps(sum02, sumT13));
        storeTwoGroups(block3 + first, groupSize, _mm256_sub_ps(difference02, differenceU13));

        const __m256 mirrorDifference02 = _mm256_sub_ps(x0Mirror, y2.u);
        const __m256 mirrorSum02 = _mm256_add_ps(x0Mirror, y2.u);
        const __m256 differenceT13 = _mm256_sub_ps(y1.t, y3.t);
        const __m256 sumU13 = _mm256_add_ps(y1.u, y3.u);
        storeTwoGroups(block0 + mirrorFirst, groupSize,
                       reversedHalves(_mm256_add_ps(mirrorDifference02, differenceT13)));
        storeTwoGroups(block1 + mirrorFirst, groupSize, reversedHalves(_mm256_sub_ps(mirrorSum02, sumU13)));
        storeTwoGroups(block2 + mirrorFirst, groupSize,
                       reversedHalves(_mm256_sub_ps(mirrorDifference02, differenceT13)));
        storeTwoGroups(block3 + mirrorFirst, groupSize, reversedHalves(_mm256_add_ps(mirrorSum02, sumU13)));
    }
}

[[gnu::target("avx")]] void SixteenPointGroupsAvx(float* data, int length, const __m128* rotations)
{
    constexpr int groupSize = 16;
    // The same four lanes in both halves.
    const Rotation r1 = {_mm256_broadcast_ps(rotations), _mm256_broadcast_ps(rotations + 1)};
    const Rotation r2 = {_mm256_broadcast_ps(rotations + 2), _mm256_broadcast_ps(rotations + 3)};
    const Rotation r3 = {_mm256_broadcast_ps(rotations + 4), _mm256_broadcast_ps(rotations + 5)};
    for (float* group = data; group != data + length; group += 2 * groupSize)
    {
        const __m256 x0 = loadTwoGroups(group, groupSize);
        const __m256 x2 = loadTwoGroups(group + 4, groupSize);
        const __m256 x1 = loadTwoGroups(group + 8, groupSize);
        const __m256 x3 = loadTwoGroups(group + 12, groupSize);
        const Rotated y1 = rotate(x1, _mm256_permute_ps(x1, _MM_SHUFFLE(1, 2, 3, 0)), r1);
        const Rotated y2 = rotate(x2, _mm256_permute_ps(x2, _MM_SHUFFLE(1, 2, 3, 0)), r2);
        const Rotated y3 = rotate(x3, _mm256_permute_ps(x3, _MM_SHUFFLE(1, 2, 3, 0)), r3);
        const __m256 sum02 = _mm256_add_ps(x0, y2.t);
        const __m256 difference02 = _mm256_sub_ps(x0, y2.t);
        const __m256 sumT13 = _mm256_add_ps(y1.t, y3.t);
        const __m256 differenceU13 = _mm256_sub_ps(y1.u, y3.u);
        storeTwoGroups(group, groupSize, _mm256_add_ps(sum02, sumT13));
        storeTwoGroups(group + 4, groupSize, _mm256_add_ps(difference02, differenceU13));
        storeTwoGroups(group + 8, groupSize, _mm256_sub_ps(sum02, sumT13));
        storeTwoGroups(group + 12, groupSize, _mm256_sub_ps(difference02, differenceU13));
    }
}

// Two groups: [E0 | p0] and [E1 | p1] become [E0 | E1] and [p0 | p1], the sums and
// differences are formed eight lanes wide and put back per group.
[[gnu::target("avx")]] void EightPointGroupsAvx(float* data, int length)
{
    const __m256 scaleDifferences = _mm256_setr_ps(1.0f, kSqrt2, 1.0f, kSqrt2, 1.0f, kSqrt2, 1.0f, kSqrt2);
    const __m256 signsOfSecondSum = _mm256_setr_ps(1.0f, 0.0f, -1.0f, 0.0f, 1.0f, 0.0f, -1.0f, 0.0f);
    for (float* group = data; group != data + length; group += 16)
    {
        const __m256 a = _mm256_loadu_ps(group);
        const __m256 b = _mm256_loadu_ps(group + 8);
        const __m256 even = _mm256_permute2f128_ps(a, b, 0x20);
        const __m256 p = _mm256_permute2f128_ps(a, b, 0x31);
        const __m256 firstSumAndDifferences = _mm256_permute_ps(p, _MM_SHUFFLE(3, 0, 1, 0));
        const __m256 secondSum = _mm256_permute_ps(p, _MM_SHUFFLE(2, 2, 2, 2));
        const __m256 odd = _mm256_add_ps(_mm256_mul_ps(firstSumAndDifferences, scaleDifferences),
                                         _mm256_mul_ps(secondSum, signsOfSecondSum));
        const __m256 sums = _mm256_add_ps(even, odd);
        const __m256 differences = _mm256_sub_ps(even, odd);
        _mm256_storeu_ps(group, _mm256_permute2f128_ps(sums, differences, 0x20));
        _mm256_storeu_ps(group + 8, _mm256_permute2f128_ps(sums, differences, 0x31));
    }
}

[[gnu::target("avx")]] void MirroredButterfliesAvx(float* data, int length, int quarter, const float* stageTwiddles)
{
    const int groupSize = 4 * quarter;
    const int middle = quarter / 2;
    const float* run = stageTwiddles;
    for (int first = 1; first + kLanes - 1 <= middle; first += kLanes, run += kTwiddleRegisters * kLanes)
    {
        const Rotation r1 = {_mm256_loadu_ps(run), _mm256_loadu_ps(run + kLanes)};
        const Rotation r2 = {_mm256_loadu_ps(run + 2 * kLanes), _mm256_loadu_ps(run + 3 * kLanes)};
        const Rotation r3 = {_mm256_loadu_ps(run + 4 * kLanes), _mm256_loadu_ps(run + 5 * kLanes)};
        for (float* group = data; group != data + length; group += groupSize)
        {
            mirroredButterflies(group, quarter, first, r1, r2, r3);
        }
    }
}

[[gnu::target("avx")]] void ReverseUpperHalfAvx(float* data, int length)
{
    const int half = length / 2;
    const int quarter = length / 4;
    // quarter is a power of two, so the runs of eight cover i = 1..N/4 exactly; the middle
    // i = N/4 maps to itself and both stores write it back unchanged.
    for (int i = 1; i + kLanes - 1 <= quarter; i += kLanes)
    {
        const __m256 low = _mm256_loadu_ps(data + half + i);
        const __m256 high = _mm256_loadu_ps(data + length - i - (kLanes - 1));
        _mm256_storeu_ps(data + half + i, reversed(high));
        _mm256_storeu_ps(data + length - i - (kLanes - 1), reversed(low));
    }
}
