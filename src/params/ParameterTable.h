#pragma once

#include "params/EngineAmounts.h"

#include <cstdint>

// The 42 parameters as hosts and chunks see them: every fact a plug-in format asks for, how
// their value reads, and what each means to the engine. The one home of these facts; the
// engine, the editor and the shells all read them here. Values crossing the host boundary
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

// The units a host that takes values in the user's terms (LV2 ports) reads a parameter in;
// the stored value stays normalised and is mapped on the way in and out (PlainValues.h).
enum class PlainScale : std::uint8_t
{
    // 0..1 as stored: the switch, the housekeeping values, and the equaliser's points (a level
    // reads in dB only against Eq.gain, another parameter, and on the fourth-power frequency
    // axis a float frequency is too coarse at the low end to keep a point where it was put)
    Normalised,
    Percent,        // 0..100 %
    GainDecibels,   // Gain's 4a^2 taper in dB, up to +12 dB; its lowest value stands for silence
    RangeDecibels,  // Eq.gain: the equaliser's range, 2..24 dB
    PointCount,     // Eq_Num: 0..16 points
};

// Who may change a parameter, as every format tells its host.
enum class HostAccess : std::uint8_t
{
    Automatable,   // shown, set and automated by hosts
    Housekeeping,  // hidden, read-only and never automated: only the editor and state set it
};

// What a change of the parameter does in the engine.
enum class EngineUse : std::uint8_t
{
    Nothing,     // no amount of its own (the curve points, the housekeeping ones)
    Amount,      // sets amountField to amount(value)
    BypassFade,  // Active: fades between the dry and the processed signal
};

struct ParameterDescriptor
{
    std::int32_t index;
    char name[kParameterNameSize];
    // Lower-case ASCII, unique, a valid C identifier: what formats that key parameters by
    // text (LV2 port symbols) save in sessions, so never to change once shipped.
    const char* symbol;
    float defaultValue;
    ValueDisplayKind display;
    // The unit the value text carries ("%", "dB"), or none.
    const char* unit;
    // 0 for a continuous value, 1 for a toggle, n for one of n + 1 steps.
    int stepCount;
    PlainScale plainScale;
    // Housekeeping values still travel in state.
    HostAccess access;
    EngineUse engineUse;
    float ParameterAmounts::*amountField;
    float (*amount)(float value);
    // A change reshapes the equaliser curve.
    bool reshapesCurve;
    // The normalised range every host sees.
    float minimum = 0.0f;
    float maximum = 1.0f;

    bool hidden() const { return access == HostAccess::Housekeeping; }
    bool readOnly() const { return access == HostAccess::Housekeeping; }
    bool automatable() const { return access == HostAccess::Automatable; }
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
