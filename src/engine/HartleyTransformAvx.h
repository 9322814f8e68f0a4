#pragma once

// The transform's widest passes with AVX, eight lanes per register (see HartleyTransform.cpp
// for the maths). Every lane runs the operations of the SSE2 code in the same order and
// without fused multiply-add, so both paths give the same bits. Call these only when
// avxAvailable() (base/CpuFeatures.h) is true. Buffers need only 16-byte alignment.

// Offsets 1..L/2 and their mirrors of one radix-4 stage with quarter length L >= 16 (offset
// 0 is the caller's). The stage's twiddles come in runs of eight offsets, each run six
// registers of eight floats: cos i, sin i, cos 2i, sin 2i, cos 3i, sin 3i.
void MirroredButterfliesAvx(float* data, int length, int quarter, const float* stageTwiddles);

// Swaps position N/2 + i with N - i for i = 1..N/4-1, for N >= 32.
void ReverseUpperHalfAvx(float* data, int length);
