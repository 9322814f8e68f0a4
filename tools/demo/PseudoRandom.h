#pragma once

#include <cstdint>

// A fixed linear congruential generator, so the demo signal comes out bit for bit the same
// with every compiler and standard library.
class PseudoRandom
{
  public:
    explicit PseudoRandom(std::uint32_t seed) : state(seed) {}

    // Uniform in [-1, 1).
    float nextBipolar()
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    }

  private:
    std::uint32_t state;
};
