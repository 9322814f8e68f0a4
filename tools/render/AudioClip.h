#pragma once

#include <cstddef>
#include <vector>

// Audio held as one sample vector per channel, all of the same length.
struct AudioClip
{
    int sampleRate = 44100;
    std::vector<std::vector<float>> channels;

    std::size_t frames() const { return channels.empty() ? 0 : channels.front().size(); }
    double seconds() const { return static_cast<double>(frames()) / sampleRate; }
};
