#include "SignalStats.h"

#include <algorithm>
#include <cmath>

StereoStats measureStereo(const AudioClip& clip)
{
    const std::vector<float>& left = clip.channels.at(0);
    const std::vector<float>& right = clip.channels.at(1);
    StereoStats stats;
    double leftEnergy = 0.0;
    double rightEnergy = 0.0;
    double crossEnergy = 0.0;
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        stats.peak = std::max({stats.peak, std::fabs(left[i]), std::fabs(right[i])});
        leftEnergy += static_cast<double>(left[i]) * left[i];
        rightEnergy += static_cast<double>(right[i]) * right[i];
        crossEnergy += static_cast<double>(left[i]) * right[i];
    }
    if (leftEnergy > 0.0 && rightEnergy > 0.0)
        stats.correlation = crossEnergy / std::sqrt(leftEnergy * rightEnergy);
    return stats;
}

double peakInDecibels(float peak)
{
    return 20.0 * std::log10(static_cast<double>(peak));
}
