#include "editor/ScopeBallistics.h"

#include "engine/StereoImageReading.h"

#include <algorithm>
#include <cmath>

bool ScopeBallistics::audible(const StereoImageReading& reading)
{
    return reading.levelDb > kAudibleDb && reading.pointCount > 0;
}

float ScopeBallistics::targetGain(const StereoImageReading& reading)
{
    float loudestSquare = 0.0f;
    for (int i = 0; i < reading.pointCount; ++i)
    {
        const ScopePoint& point = reading.points[i];
        loudestSquare = std::max(loudestSquare, point.side * point.side + point.mid * point.mid);
    }
    // Compared squared, so a silent reading (and a NaN) asks for the most gain.
    if (!audible(reading) || !(loudestSquare * kMaxGain * kMaxGain > kFill * kFill))
        return kMaxGain;
    return std::max(kMinGain, kFill / std::sqrt(loudestSquare));
}

void ScopeBallistics::take(const StereoImageReading& reading, std::uint32_t now)
{
    const float target = targetGain(reading);
    if (!started || target <= gainNow)
    {
        gainNow = target;
    }
    else
    {
        // Unsigned difference: right across the tick count's wrap.
        const float seconds = static_cast<float>(now - takenAt) * 0.001f;
        gainNow = std::min(target, gainNow * std::exp2(kReleaseDoublingsPerSecond * seconds));
    }
    takenAt = now;
    started = true;
    lowest.take(reading.correlationFast, now);
}
