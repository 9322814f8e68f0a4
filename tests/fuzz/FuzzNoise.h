#pragma once

// The noise every plug-in fuzz target plays through the effect after an input: made the same
// way each time, processed in place block by block, and then all of it must be finite.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

// Enough for the effect's latency and a few blocks past it, in a host's usual block size.
inline constexpr std::size_t kNoiseFrames = 3 * 2048;
inline constexpr std::size_t kNoiseBlock = 512;

struct FuzzNoise
{
    std::vector<float> left;
    std::vector<float> right;

    explicit FuzzNoise(std::size_t frames) : left(frames), right(frames)
    {
        std::uint32_t state = 12345;
        for (std::size_t i = 0; i < frames; ++i)
        {
            state = state * 1664525u + 1013904223u;
            left[i] = static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
            right[i] = -left[i];
        }
    }

    // Hands each block's two channels and its length to `process`, which works in place.
    template <typename Process> void playInBlocks(std::size_t blockSize, Process process)
    {
        for (std::size_t start = 0; start < left.size(); start += blockSize)
        {
            float* channels[2] = {left.data() + start, right.data() + start};
            process(channels, std::min(blockSize, left.size() - start));
        }
    }

    bool allFinite() const
    {
        for (std::size_t i = 0; i < left.size(); ++i)
        {
            if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
                return false;
        }
        return true;
    }
};
