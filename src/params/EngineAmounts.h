#pragma once

// What each parameter's stored value means to the engine, read through engineValue, so
// every amount stays finite whatever a host or chunk stored. The engine's coefficients and
// the editor's displays (the Shape curve, the equaliser's guide lines) come from here.
// The amounts the engine takes from the parameters, each written by the parameter whose
// record names its field.
struct ParameterAmounts
{
    float width = 0.0f;  // 0..2, 1 neutral
    float punch = 0.0f;
    float sizzle = 0.0f;
    float shapeTarget = 0.0f;
    float gain = 0.0f;
    float eqRange = 0.0f;  // equaliser range in dB
};

namespace amounts
{

// Active: on above 0.
bool active(float value);
// Stereo Width: 0..2, 1 neutral.
float stereoWidth(float value);
// Punch: (2a)^2.5, 1 at a = 0.5.
float punch(float value);
// Sizzle: 1..9, 1 neutral.
float sizzle(float value);
// Shape: 0..2, the saturation amount the engine smooths towards.
float shape(float value);
// Gain: 4a^2, 1 at a = 0.5.
float gain(float value);
// Eq.gain: the equaliser's range in dB, 2..24.
float eqRange(float value);

}  // namespace amounts
