#include "params/PlainValues.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace
{

PlainScale scaleOf(int index)
{
    return isParameter(index) ? kParameterTable[index].plainScale : PlainScale::Normalised;
}

float hostRangeValue(int index, float value)
{
    if (!isParameter(index) || std::isnan(value))
        return 0.0f;
    return std::clamp(value, kParameterTable[index].minimum, kParameterTable[index].maximum);
}

// The straightforward inverse of plainValueFor, before it is made exact.
float approximateNormalised(PlainScale scale, float plain)
{
    switch (scale)
    {
    case PlainScale::Percent: return plain / 100.0f;
    case PlainScale::GainDecibels:
        if (plain <= kGainFloorDecibels)
            return 0.0f;
        // 4a^2 = 10^(dB / 20), in single precision as the value text computes its dB.
        return 0.5f * std::pow(10.0f, plain / 40.0f);
    case PlainScale::RangeDecibels: return static_cast<float>((static_cast<double>(plain) - 2.0) / 22.0);
    case PlainScale::PointCount: return std::round(plain) / static_cast<float>(kMaxEqPoints);
    case PlainScale::Normalised: return plain;
    }
    return plain;
}

// How long the shortest decimal that reads back as the value is.
int decimalDigits(float value)
{
    char text[32];
    return static_cast<int>(std::to_chars(text, text + sizeof(text), value).ptr - text);
}

}  // namespace

PlainRange plainRangeOf(int index)
{
    switch (scaleOf(index))
    {
    case PlainScale::Percent: return {0.0f, 100.0f};
    case PlainScale::GainDecibels: return {kGainFloorDecibels, plainValueFor(index, 1.0f)};
    case PlainScale::RangeDecibels: return {2.0f, 24.0f};
    case PlainScale::PointCount: return {0.0f, static_cast<float>(kMaxEqPoints)};
    case PlainScale::Normalised: break;
    }
    return {0.0f, 1.0f};
}

const char* plainUnitOf(int index)
{
    switch (scaleOf(index))
    {
    case PlainScale::Percent: return "%";
    case PlainScale::GainDecibels:
    case PlainScale::RangeDecibels: return "dB";
    case PlainScale::PointCount:
    case PlainScale::Normalised: break;
    }
    return "";
}

float plainValueFor(int index, float normalisedValue)
{
    const float value = hostRangeValue(index, normalisedValue);
    switch (scaleOf(index))
    {
    case PlainScale::Percent: return 100.0f * value;
    case PlainScale::GainDecibels:
    {
        // The editor's dB of the same value, limited to the floor that stands for silence.
        const float gain = displayValueFor(index, value);
        return gain > 0.0f ? std::max(20.0f * std::log10(gain), kGainFloorDecibels) : kGainFloorDecibels;
    }
    case PlainScale::RangeDecibels: return amounts::eqRange(value);
    case PlainScale::PointCount: return static_cast<float>(eqPointCount(value));
    case PlainScale::Normalised: break;
    }
    return value;
}

float normalisedValueForPlain(int index, float plainValue)
{
    if (!isParameter(index))
        return 0.0f;
    const PlainRange range = plainRangeOf(index);
    const float plain = std::isnan(plainValue) ? range.minimum : std::clamp(plainValue, range.minimum, range.maximum);
    if (plain == kGainFloorDecibels && scaleOf(index) == PlainScale::GainDecibels)
        return 0.0f;
    const float approximate = hostRangeValue(index, approximateNormalised(scaleOf(index), plain));
    // Float rounding on either way may leave the straight inverse a few steps off a value that
    // reads as this plain value, and several neighbours may read as it: take the nearest
    // reading, of equally near ones the value with the shortest decimal (what a person or a
    // host typed, 0.25 rather than 0.25000003), then the straight inverse's nearest.
    constexpr int kNeighbours = 4;
    float best = approximate;
    float bestDistance = std::fabs(plainValueFor(index, approximate) - plain);
    int bestDigits = decimalDigits(approximate);
    float below = approximate;
    float above = approximate;
    for (int step = 0; step < kNeighbours; ++step)
    {
        below = std::nextafter(below, -1.0f);
        above = std::nextafter(above, 2.0f);
        for (float candidate : {below, above})
        {
            const float bounded = hostRangeValue(index, candidate);
            const float distance = std::fabs(plainValueFor(index, bounded) - plain);
            const int digits = decimalDigits(bounded);
            if (distance < bestDistance || (distance == bestDistance && digits < bestDigits))
            {
                best = bounded;
                bestDistance = distance;
                bestDigits = digits;
            }
        }
    }
    return best;
}
