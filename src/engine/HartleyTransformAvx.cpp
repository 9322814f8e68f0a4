#include "engine/HartleyTransformAvx.h"

#include <immintrin.h>

// The functions carry their own target so the rest of the program stays SSE2-only. Only
// unaligned loads and stores are used, and every helper is inlined into the loop that calls
// it, so no 256-bit value needs an aligned stack slot (MinGW-w64 cannot align the stack to
// 32 bytes; its build also turns the assembler's aligned moves into unaligned ones).
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

}  // namespace

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
