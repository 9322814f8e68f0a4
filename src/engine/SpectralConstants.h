#pragma once

// The spectral stage's constants, shared by its SSE2 and AVX code so both give the same bits.

inline constexpr float kMagnitudeFloor = 1e-20f;
inline constexpr float kWidthBoost = 3.75f;
inline constexpr float kMaxMagnitudeRatio = 0.999999f;
inline constexpr float kHalfPi = 1.57079632679f;

// sin(x) / x as a polynomial in x^2, highest power first: the Taylor series to x^11, within
// 1e-7 of the true sine on [0, pi/2], i.e. within single-precision rounding.
inline constexpr int kSineTerms = 6;
inline constexpr float kSineSeries[kSineTerms] = {-1.0f / 39916800.0f, 1.0f / 362880.0f, -1.0f / 5040.0f,
                                                  1.0f / 120.0f,       -1.0f / 6.0f,     1.0f};
