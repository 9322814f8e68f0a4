#pragma once

#include "AudioClip.h"

#include <cstddef>
#include <optional>

struct StereoStats
{
    float peak = 0.0f;                  // largest magnitude on either channel
    std::optional<double> correlation;  // of left with right; none when a channel is silent
    double rms = 0.0;                   // over both channels together
};

// Gathers StereoStats piece by piece while audio streams past.
class StereoStatsAccumulator
{
public:
    void add(const float* left, const float* right, std::size_t frames);
    StereoStats result() const;

private:
    float peak = 0.0f;
    double leftEnergy = 0.0;
    double rightEnergy = 0.0;
    double crossEnergy = 0.0;
    std::size_t frameCount = 0;
};

// Expects a clip with two channels.
StereoStats measureStereo(const AudioClip& clip);

double peakInDecibels(float peak);

// The RMS level in dBFS; -infinity for silence.
double levelInDecibels(double rms);
