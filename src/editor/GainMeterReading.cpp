#include "editor/GainMeterReading.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr float kPeakRelease = 0.85f;
constexpr float kBassRelease = 0.8f;
constexpr float kSizzleRelease = 0.7f;
constexpr float kBassThreshold = 0.14f;
// Below this a meter no longer changes a pixel.
constexpr float kVisibleMeter = 1e-3f;

// Lowers a meter unless the audio thread raised it since it was read: a fresh peak is
// never lost to the release.
float readAndRelease(std::atomic<float>& meter, float release)
{
    float value = meter.load(std::memory_order_relaxed);
    meter.compare_exchange_strong(value, value * release, std::memory_order_relaxed);
    // A non-finite meter would never decay and keep the editor drawing.
    return std::isfinite(value) ? value : 0.0f;
}

// Loud levels approach the panel's edge; a peak above full scale (a bypassed hot input)
// stays at the edge instead of folding back towards the centre.
float levelShown(float peak)
{
    const float level = std::clamp(peak, 0.0f, 1.0f);
    return 1.0f - (1.0f - level) * (1.0f - level);
}

}  // namespace

bool GainMeterReading::moving(const EngineMeters& meters)
{
    return meters.peakLeft.load(std::memory_order_relaxed) > kVisibleMeter ||
           meters.peakRight.load(std::memory_order_relaxed) > kVisibleMeter ||
           meters.bassMeter.load(std::memory_order_relaxed) > kBassThreshold ||
           meters.sizzleMeter.load(std::memory_order_relaxed) > kVisibleMeter ||
           meters.clipFlag.load(std::memory_order_relaxed) != 0.0f;
}

GainMeterReading GainMeterReading::take(EngineMeters& meters)
{
    GainMeterReading reading{};
    reading.stereo[0] = levelShown(readAndRelease(meters.peakLeft, kPeakRelease));
    reading.stereo[1] = levelShown(readAndRelease(meters.peakRight, kPeakRelease));
    reading.stereo[2] = readAndRelease(meters.bassMeter, kBassRelease) - kBassThreshold;
    reading.stereo[3] = readAndRelease(meters.sizzleMeter, kSizzleRelease);
    reading.clipped = meters.clipFlag.exchange(0.0f, std::memory_order_relaxed);
    return reading;
}

bool GainMeterReading::looksLike(const GainMeterReading& other) const
{
    const auto close = [](float a, float b) { return std::fabs(a - b) < kVisibleMeter; };
    const bool bassAlike = (stereo[2] <= 0.0f && other.stereo[2] <= 0.0f) || close(stereo[2], other.stereo[2]);
    return clipped == other.clipped && close(stereo[0], other.stereo[0]) && close(stereo[1], other.stereo[1]) &&
           bassAlike && close(stereo[3], other.stereo[3]);
}
