#pragma once

// The engine's windowing loops eight floats per AVX register, with the same bits as the
// SSE2 loops (each product and sum rounded as there, no fused multiply-add). Call only when
// avxAvailable() (base/CpuFeatures.h) is true.

// to[i] = a[i] * b[i]
void multiplyIntoAvx(float* to, const float* a, const float* b, int count);

// to[i] += a[i] * b[i]
void multiplyAddIntoAvx(float* to, const float* a, const float* b, int count);
