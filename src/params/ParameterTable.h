#pragma once

#include <cstdint>

// The 42 automatable parameters as hosts and chunks see them: index, name, default and how
// their value reads. The one home of these facts; the engine, the editor and the shells
// all read them here. Values crossing the host boundary are normalised floats 0..1.
constexpr int kNumParameters = 42;
constexpr int kParameterNameSize = 28;
constexpr int kMaxEqPoints = 16;

enum ParameterIndex : int
{
    kParamActive = 0,
    kParamStereoWidth = 1,
    kParamPunch = 2,
    kParamSizzle = 3,
    kParamShape = 4,
    kParamGain = 5,
    kParamEqNum = 6,
    kParamFirstEqPoint = 7,  // X of point k at 7 + 2k, Y at 8 + 2k
    kParamEqGain = 39,
    kParamInternal0 = 40,
    kParamUnnamed = 41,
};

// How a parameter's value reads, on screen and for the host.
enum ValueDisplayKind : int
{
    kDisplayNone = 0,         // no text of its own (the host gets a plain number)
    kDisplayPlain = 1,        // "%4.4f" of the display value
    kDisplayPercent = 3,      // the display value is already 100 x the normalised one
    kDisplayDecibels = 4,     // the display value is a linear gain
    kDisplayShapeCurve = 13,  // the Shape curve is drawn, then the text reads as plain
    kDisplayOnOff = 15,
};

struct ParameterDescriptor
{
    std::int32_t index;
    char name[kParameterNameSize];
    float defaultValue;
    ValueDisplayKind display;
};

extern const ParameterDescriptor kParameterTable[kNumParameters];

constexpr bool isParameter(int index)
{
    return index >= 0 && index < kNumParameters;
}
constexpr int eqPointXIndex(int point)
{
    return kParamFirstEqPoint + 2 * point;
}
constexpr int eqPointYIndex(int point)
{
    return kParamFirstEqPoint + 2 * point + 1;
}
// The point count and the points themselves: what shapes the equaliser curve.
constexpr bool isEqualiserPointParameter(int index)
{
    return index >= kParamEqNum && index < kParamEqGain;
}

// Values are stored as a host or chunk sends them, but read limited to -1..2: every
// coefficient derived from them stays finite whatever is stored, and 0..1 is untouched.
float engineValue(float value);

// Number of equaliser points in use for a normalised Eq_Num value (0..16).
int eqPointCount(float eqNumValue);

// The value the editor shows for a parameter, kept beside the normalised value.
float displayValueFor(int index, float value);

// The normalised value a display value stands for: the inverse of displayValueFor (Active
// takes the display value itself). Not finite where no value has that display value.
float normalisedValueFor(int index, float displayValue);
