#include "params/ParameterTable.h"

#include "params/EngineAmounts.h"

#include <algorithm>
#include <cmath>

// Columns: index, name, symbol, default, display, unit, steps, plain scale, host access, engine
// use, amount field, amount, reshapes the curve.
const ParameterDescriptor kParameterTable[kNumParameters] = {
    {0, "Active", "active", 1.0f, kDisplayOnOff, "", 1, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::BypassFade, nullptr, nullptr, false},
    {1, "Stereo Width", "stereo_width", 0.5f, kDisplayPercent, "%", 0, PlainScale::Percent, HostAccess::Automatable,
     EngineUse::Amount, &ParameterAmounts::width, amounts::stereoWidth, false},
    {2, "Punch", "punch", 0.5f, kDisplayPlain, "", 0, PlainScale::Percent, HostAccess::Automatable, EngineUse::Amount,
     &ParameterAmounts::punch, amounts::punch, false},
    {3, "Sizzle", "sizzle", 0.0f, kDisplayPlain, "", 0, PlainScale::Percent, HostAccess::Automatable, EngineUse::Amount,
     &ParameterAmounts::sizzle, amounts::sizzle, false},
    {4, "Shape", "shape", 0.0f, kDisplayShapeCurve, "", 0, PlainScale::Percent, HostAccess::Automatable,
     EngineUse::Amount, &ParameterAmounts::shapeTarget, amounts::shape, false},
    {5, "Gain", "gain", 0.5f, kDisplayDecibels, "dB", 0, PlainScale::GainDecibels, HostAccess::Automatable,
     EngineUse::Amount, &ParameterAmounts::gain, amounts::gain, false},
    {6, "Eq_Num", "eq_num", 0.125f, kDisplayNone, "", kMaxEqPoints, PlainScale::PointCount, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {7, "Eq0_X", "eq0_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {8, "Eq0_Y", "eq0_y", 0.5f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {9, "Eq1_X", "eq1_x", 1.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {10, "Eq1_Y", "eq1_y", 0.5f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {11, "Eq2_X", "eq2_x", 0.3f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {12, "Eq2_Y", "eq2_y", 0.9f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {13, "Eq3_X", "eq3_x", 0.7f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {14, "Eq3_Y", "eq3_y", 0.5f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {15, "Eq4_X", "eq4_x", 0.4f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {16, "Eq4_Y", "eq4_y", 0.5f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {17, "Eq5_X", "eq5_x", 0.41f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {18, "Eq5_Y", "eq5_y", 0.9f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {19, "Eq6_X", "eq6_x", 0.8f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {20, "Eq6_Y", "eq6_y", 0.9f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {21, "Eq7_X", "eq7_x", 1.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {22, "Eq7_Y", "eq7_y", 0.5f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {23, "Eq8_X", "eq8_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {24, "Eq8_Y", "eq8_y", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {25, "Eq9_X", "eq9_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {26, "Eq9_Y", "eq9_y", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {27, "Eq10_X", "eq10_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {28, "Eq10_Y", "eq10_y", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {29, "Eq11_X", "eq11_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {30, "Eq11_Y", "eq11_y", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {31, "Eq12_X", "eq12_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {32, "Eq12_Y", "eq12_y", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {33, "Eq13_X", "eq13_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {34, "Eq13_Y", "eq13_y", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {35, "Eq14_X", "eq14_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {36, "Eq14_Y", "eq14_y", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {37, "Eq15_X", "eq15_x", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {38, "Eq15_Y", "eq15_y", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Automatable,
     EngineUse::Nothing, nullptr, nullptr, true},
    {39, "Eq.gain", "eq_gain", 5.0f / 11.0f, kDisplayDecibels, "dB", 0, PlainScale::RangeDecibels,
     HostAccess::Automatable, EngineUse::Amount, &ParameterAmounts::eqRange, amounts::eqRange, true},
    {40, "Internal 0", "internal_0", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Housekeeping,
     EngineUse::Nothing, nullptr, nullptr, true},
    {41, " ", "unnamed", 0.0f, kDisplayNone, "", 0, PlainScale::Normalised, HostAccess::Housekeeping,
     EngineUse::Nothing, nullptr, nullptr, false},
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
