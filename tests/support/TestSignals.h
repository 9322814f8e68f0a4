#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

// Deterministic test material, identical on every platform (no library random numbers).
struct StereoSignal
{
    std::vector<float> left;
    std::vector<float> right;
};

inline std::vector<float> noise(std::size_t length, std::uint32_t seed, float amplitude)
{
    std::vector<float> samples(length);
    std::uint32_t state = seed;
    for (float& sample : samples)
    {
        state = state * 1664525u + 1013904223u;
        sample = amplitude * (static_cast<float>(state >> 8) / 8388608.0f - 1.0f);
    }
    return samples;
}

inline StereoSignal stereoNoise(std::size_t length, float amplitude)
{
    return {noise(length, 1, amplitude), noise(length, 2, amplitude)};
}

inline std::vector<float> sine(std::size_t length, double frequency, double sampleRate, float amplitude)
{
    std::vector<float> samples(length);
    for (std::size_t i = 0; i < length; ++i)
        samples[i] = amplitude * static_cast<float>(std::sin(2.0 * 3.14159265358979323846 * frequency * i / sampleRate));
    return samples;
}
