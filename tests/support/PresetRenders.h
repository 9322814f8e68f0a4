#pragma once

#include "support/TestSignals.h"

#include <cmath>
#include <cstddef>
#include <vector>

// A VST 2.4 host's resume lets Shape glide in from where the engine had it (from 0 in a new
// instance), while CLAP's activation and VST3's processing switch start with it at its
// value. The glide settles within half a second, to within a few steps of the float it
// aims at, which leaves differences below -80 dB of full scale; without Shape every sample
// is the same.
inline constexpr std::size_t kShapeSettled = 22050;
inline constexpr float kShapeGlideTolerance = 1e-4f;

inline bool soundsTheSame(const std::vector<float>& rendered, const std::vector<float>& vstRendered, bool shaped)
{
    if (!shaped)
        return sameBits(rendered, vstRendered);
    if (rendered.size() != vstRendered.size() || rendered.size() <= kShapeSettled)
        return false;
    for (std::size_t i = kShapeSettled; i < rendered.size(); ++i)
    {
        if (!(std::fabs(rendered[i] - vstRendered[i]) <= kShapeGlideTolerance))
            return false;
    }
    return true;
}
