#pragma once

#include <cstdint>

// The 42 automatable parameters as the host sees them. Values crossing the host boundary
// are normalised floats 0..1.
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

struct ParameterDescriptor
{
    std::int32_t index;
    char name[kParameterNameSize];
    float defaultValue;
};

extern const ParameterDescriptor kParameterTable[kNumParameters];

constexpr int eqPointXIndex(int point) { return kParamFirstEqPoint + 2 * point; }
constexpr int eqPointYIndex(int point) { return kParamFirstEqPoint + 2 * point + 1; }

// Values are stored as a host or chunk sends them, but the engine reads them limited to
// -1..2: every coefficient then stays finite whatever is stored, and 0..1 is untouched.
float engineValue(float value);

// Number of equaliser points in use for a normalised Eq_Num value (0..16).
int eqPointCount(float eqNumValue);

// The value the editor shows for a parameter, kept beside the normalised value.
float displayValueFor(int index, float value);
