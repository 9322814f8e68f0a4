#include "params/ParameterTable.h"

#include <algorithm>
#include <cmath>

const ParameterDescriptor kParameterTable[kNumParameters] = {
    {0, "Active", 1.0f, kDisplayOnOff},     {1, "Stereo Width", 0.5f, kDisplayPercent},
    {2, "Punch", 0.5f, kDisplayPlain},      {3, "Sizzle", 0.0f, kDisplayPlain},
    {4, "Shape", 0.0f, kDisplayShapeCurve}, {5, "Gain", 0.5f, kDisplayDecibels},
    {6, "Eq_Num", 0.125f, kDisplayNone},    {7, "Eq0_X", 0.0f, kDisplayNone},
    {8, "Eq0_Y", 0.5f, kDisplayNone},       {9, "Eq1_X", 1.0f, kDisplayNone},
    {10, "Eq1_Y", 0.5f, kDisplayNone},      {11, "Eq2_X", 0.3f, kDisplayNone},
    {12, "Eq2_Y", 0.9f, kDisplayNone},      {13, "Eq3_X", 0.7f, kDisplayNone},
    {14, "Eq3_Y", 0.5f, kDisplayNone},      {15, "Eq4_X", 0.4f, kDisplayNone},
    {16, "Eq4_Y", 0.5f, kDisplayNone},      {17, "Eq5_X", 0.41f, kDisplayNone},
    {18, "Eq5_Y", 0.9f, kDisplayNone},      {19, "Eq6_X", 0.8f, kDisplayNone},
    {20, "Eq6_Y", 0.9f, kDisplayNone},      {21, "Eq7_X", 1.0f, kDisplayNone},
    {22, "Eq7_Y", 0.5f, kDisplayNone},      {23, "Eq8_X", 0.0f, kDisplayNone},
    {24, "Eq8_Y", 0.0f, kDisplayNone},      {25, "Eq9_X", 0.0f, kDisplayNone},
    {26, "Eq9_Y", 0.0f, kDisplayNone},      {27, "Eq10_X", 0.0f, kDisplayNone},
    {28, "Eq10_Y", 0.0f, kDisplayNone},     {29, "Eq11_X", 0.0f, kDisplayNone},
    {30, "Eq11_Y", 0.0f, kDisplayNone},     {31, "Eq12_X", 0.0f, kDisplayNone},
    {32, "Eq12_Y", 0.0f, kDisplayNone},     {33, "Eq13_X", 0.0f, kDisplayNone},
    {34, "Eq13_Y", 0.0f, kDisplayNone},     {35, "Eq14_X", 0.0f, kDisplayNone},
    {36, "Eq14_Y", 0.0f, kDisplayNone},     {37, "Eq15_X", 0.0f, kDisplayNone},
    {38, "Eq15_Y", 0.0f, kDisplayNone},     {39, "Eq.gain", 5.0f / 11.0f, kDisplayDecibels},
    {40, "Internal 0", 0.0f, kDisplayNone}, {41, " ", 0.0f, kDisplayNone},
};

float engineValue(float value)
{
    constexpr float kLowest = -1.0f;
    constexpr float kHighest = 2.0f;
    return std::clamp(value, kLowest, kHighest);
}

int eqPointCount(float eqNumValue)
{
    const float scaled = eqNumValue * 16.0f + 0.5f;
    if (!(scaled > 0.0f))
        return 0;
    // Bounded before the conversion: a huge or infinite value has no int.
    if (scaled >= static_cast<float>(kMaxEqPoints))
        return kMaxEqPoints;
    return static_cast<int>(scaled);
}

namespace
{

// Truncation towards zero without the undefined behaviour of casting huge or NaN values.
float truncateToInteger(float value)
{
    if (std::fabs(value) < 2147483648.0f)
        return static_cast<float>(static_cast<std::int32_t>(value));
    return std::isfinite(value) ? std::trunc(value) : 0.0f;
}

}  // namespace

float displayValueFor(int index, float value)
{
    switch (index)
    {
    case kParamActive: return truncateToInteger(value);
    case kParamStereoWidth: return 100.0f * value;
    case kParamPunch: return 2.0f * value - 1.0f;
    case kParamShape: return 2.0f * value;
    case kParamGain: return 4.0f * value * value;
    case kParamEqGain: return std::pow(10.0f, (22.0f * value + 2.0f) * 0.05f);
    default: return value;
    }
}

float normalisedValueFor(int index, float displayValue)
{
    switch (index)
    {
    case kParamStereoWidth: return displayValue / 100.0f;
    case kParamPunch: return (displayValue + 1.0f) / 2.0f;
    case kParamShape: return displayValue / 2.0f;
    case kParamGain: return std::sqrt(displayValue / 4.0f);
    case kParamEqGain: return (20.0f * std::log10(displayValue) - 2.0f) / 22.0f;
    default: return displayValue;
    }
}
