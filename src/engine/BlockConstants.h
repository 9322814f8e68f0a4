#pragma once

// The per-sample stage's constants and Shape smoother, shared by its SSE2 and AVX code so
// both give the same bits.

// Opposite tiny offsets on the two channels keep silent input away from denormal numbers.
inline constexpr float kAntiDenormal = 1e-20f;
inline constexpr float kShapeSmoothing = 0.001f;

// Far above any real signal (+100 dB), yet low enough that a frame's squared magnitudes
// stay finite whatever the settings.
inline constexpr float kInputLimit = 1e5f;

// The Shape amount one sample later.
inline float smoothedShape(float target, float shape)
{
    return target * kShapeSmoothing + shape * (1.0f - kShapeSmoothing);
}
