#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

// Every sample equal, bit for bit.
inline bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// Deterministic test material, identical on every platform (no library random numbers).
struct StereoSignal
{
    std::vector<float> left;
    std::vector<float> right;
};

inline bool sameBits(const StereoSignal& a, const StereoSignal& b)
{
    return sameBits(a.left, b.left) && sameBits(a.right, b.right);
}

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
        samples[i] =
            amplitude * static_cast<float>(std::sin(2.0 * 3.14159265358979323846 * frequency * i / sampleRate));
    return samples;
}

// Mean power of samples[from, to) at frequencies lowHz..highHz (every 5 Hz), Hann-windowed:
// how much energy a band carries, for comparing two renders of the same material.
inline double bandPower(const std::vector<float>& samples, std::size_t from, std::size_t to, double sampleRate,
                        double lowHz, double highHz)
{
    const double pi = 3.14159265358979323846;
    const double length = static_cast<double>(to - from);
    double total = 0.0;
    int count = 0;
    for (double hz = lowHz; hz <= highHz; hz += 5.0, ++count)
    {
        double re = 0.0;
        double im = 0.0;
        for (std::size_t i = from; i < to; ++i)
        {
            const double n = static_cast<double>(i - from);
            const double windowed = samples[i] * (0.5 - 0.5 * std::cos(2.0 * pi * n / length));
            re += windowed * std::cos(2.0 * pi * hz * n / sampleRate);
            im -= windowed * std::sin(2.0 * pi * hz * n / sampleRate);
        }
        total += re * re + im * im;
    }
    return total / count;
}

// Neutral settings give the input back through the sqrt-Hann window pair, which overlap-adds
// to one within this ripple of the input's peak.
constexpr float kNeutralRipple = 1e-3f;

// Whether output[t] is input[t - delay] within tolerance for every t from `from` on (past the
// engine's first frames, which build up from silence): a delay one sample off fails at once
// on noise.
inline bool delayedCopy(const std::vector<float>& input, const std::vector<float>& output, std::size_t delay,
                        std::size_t from, float tolerance = kNeutralRipple)
{
    if (output.size() != input.size() || from < delay)
        return false;
    for (std::size_t t = from; t < output.size(); ++t)
    {
        if (!(std::fabs(output[t] - input[t - delay]) <= tolerance))
            return false;
    }
    return true;
}
