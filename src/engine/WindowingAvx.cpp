#include "engine/WindowingAvx.h"

#include <immintrin.h>

[[gnu::target("avx")]] void multiplyIntoAvx(float* to, const float* a, const float* b, int count)
{
    int i = 0;
    for (; i + 8 <= count; i += 8)
        _mm256_storeu_ps(to + i, _mm256_mul_ps(_mm256_loadu_ps(a + i), _mm256_loadu_ps(b + i)));
    for (; i < count; ++i)
        to[i] = a[i] * b[i];
}

[[gnu::target("avx")]] void multiplyAddIntoAvx(float* to, const float* a, const float* b, int count)
{
    int i = 0;
    for (; i + 8 <= count; i += 8)
        _mm256_storeu_ps(to + i, _mm256_add_ps(_mm256_loadu_ps(to + i),
                                               _mm256_mul_ps(_mm256_loadu_ps(a + i), _mm256_loadu_ps(b + i))));
    for (; i < count; ++i)
        to[i] += a[i] * b[i];
}
