#pragma once

#include <cstdint>
#include <xmmintrin.h>

// The transform's widest passes with AVX, eight lanes per register (see HartleyTransform.cpp
// for the maths). Every lane runs the operations of the SSE2 code in the same order and
// without fused multiply-add, so both paths give the same bits. Call these only when
// avxAvailable() (base/CpuFeatures.h) is true. Buffers need only 16-byte alignment.

// The bit-reversal permutation for N >= 64 with the first pass's work on every group of
// four, as the SSE2 code does it in 4 x 4 blocks, here in 8 x 8 blocks: the register at
// offset 8b of each eighth is transposed into offset 8 b' of the eighths, for the `pairCount`
// block pairs (b, b'), b' the bit reverse of b over log2 N - 6 bits. For odd log2 N the
// upper four of each eight get only their pair sums and differences.
void BitReverseIntoFirstGroupsAvx(float* data, int length, const std::uint16_t* blockPairs, int pairCount,
                                  bool oddLog2Length);

// Offsets 1..L/2 and their mirrors of one radix-4 stage with quarter length L >= 16 (offset
// 0 is the caller's). The stage's twiddles come in runs of eight offsets, each run six
// registers of eight floats: cos i, sin i, cos 2i, sin 2i, cos 3i, sin 3i.
void MirroredButterfliesAvx(float* data, int length, int quarter, const float* stageTwiddles);

// Offsets 1..4 and their mirrors of the radix-4 stage with quarter length 8, for N >= 64:
// two groups per register. Its twiddles are the first half of one run as above.
void QuarterEightButterfliesAvx(float* data, int length, const float* stageTwiddles);

// The first radix-4 stage (quarter length 4) for even log2 N, N >= 32, two 16-value groups
// per register; `rotations` are the SSE2 code's registers cos 1, sin 1, cos 2, sin 2, cos 3,
// sin 3 of that stage.
void SixteenPointGroupsAvx(float* data, int length, const __m128* rotations);

// The first pass for odd log2 N, N >= 16: 8-point groups from the 4-point transforms and
// pair sums the bit reversal left, two groups per register pair.
void EightPointGroupsAvx(float* data, int length);

// Swaps position N/2 + i with N - i for i = 1..N/4-1, for N >= 32.
void ReverseUpperHalfAvx(float* data, int length);
