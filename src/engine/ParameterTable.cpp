#include "engine/ParameterTable.h"

#include <algorithm>
#include <cmath>

const ParameterDescriptor kParameterTable[kNumParameters] = {
    {0, "Active", 1.0f},       {1, "Stereo Width", 0.5f}, {2, "Punch", 0.5f},   {3, "Sizzle", 0.0f},
    {4, "Shape", 0.0f},        {5, "Gain", 0.5f},         {6, "Eq_Num", 0.125f}, {7, "Eq0_X", 0.0f},
    {8, "Eq0_Y", 0.5f},        {9, "Eq1_X", 1.0f},        {10, "Eq1_Y", 0.5f},  {11, "Eq2_X", 0.3f},
    {12, "Eq2_Y", 0.9f},       {13, "Eq3_X", 0.7f},       {14, "Eq3_Y", 0.5f},  {15, "Eq4_X", 0.4f},
    {16, "Eq4_Y", 0.5f},       {17, "Eq5_X", 0.41f},      {18, "Eq5_Y", 0.9f},  {19, "Eq6_X", 0.8f},
    {20, "Eq6_Y", 0.9f},       {21, "Eq7_X", 1.0f},       {22, "Eq7_Y", 0.5f},  {23, "Eq8_X", 0.0f},
    {24, "Eq8_Y", 0.0f},       {25, "Eq9_X", 0.0f},       {26, "Eq9_Y", 0.0f},  {27, "Eq10_X", 0.0f},
    {28, "Eq10_Y", 0.0f},      {29, "Eq11_X", 0.0f},      {30, "Eq11_Y", 0.0f}, {31, "Eq12_X", 0.0f},
    {32, "Eq12_Y", 0.0f},      {33, "Eq13_X", 0.0f},      {34, "Eq13_Y", 0.0f}, {35, "Eq14_X", 0.0f},
    {36, "Eq14_Y", 0.0f},      {37, "Eq15_X", 0.0f},      {38, "Eq15_Y", 0.0f}, {39, "Eq.gain", 5.0f / 11.0f},
    {40, "Internal 0", 0.0f},  {41, " ", 0.0f},
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
