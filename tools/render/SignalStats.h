#pragma once

#include "AudioClip.h"

#include <optional>

struct StereoStats
{
    float peak = 0.0f;                 // largest magnitude on either channel
    std::optional<double> correlation; // of left with right; none when a channel is silent
};

// Expects a clip with two channels.
StereoStats measureStereo(const AudioClip& clip);

double peakInDecibels(float peak);
