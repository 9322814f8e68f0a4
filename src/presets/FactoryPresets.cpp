#include "presets/FactoryPresets.h"

#include <array>

namespace
{

// Levels are trimmed with Gain so that the demo signal leaves each preset within 1 dB of the
// level it came in at (the table in the README gives the measurements); none of these is
// about level. Curve points: x 0.3 is 200 Hz, 0.5 is 1.29 kHz, 0.7 is 4.8 kHz, 0.85 is 10.5 kHz.
// One preset to a row: name, description, then width, punch, sizzle, shape, gain, Eq.gain,
// the point count and the points (x, y).
// clang-format off
constexpr FactoryPresetDefinition kFactoryPresets[] = {
    {"Mix Bus Widen", "Gentle widening for a finished mix: a little more room, nothing moves",
     0.60f, 0.50f, 0.00f, 0.00f, 0.452f, 5.0f / 11.0f, 2, {{0.0f, 0.5f}, {1.0f, 0.5f}}},
    {"Wide Pads", "Pushes pads and synth beds out to the sides, with a touch of top",
     0.85f, 0.50f, 0.00f, 0.00f, 0.362f, 5.0f / 11.0f, 3, {{0.0f, 0.5f}, {0.75f, 0.5f}, {1.0f, 0.58f}}},
    {"Narrow Harsh Stereo", "Pulls an over-wide, edgy recording together and softens 3-6 kHz",
     0.30f, 0.50f, 0.00f, 0.00f, 0.513f, 5.0f / 11.0f, 4, {{0.0f, 0.5f}, {0.62f, 0.5f}, {0.7f, 0.38f}, {1.0f, 0.46f}}},
    {"Drum Bus Punch", "Harder kick and snare attacks with a little snap on top",
     0.56f, 0.80f, 0.10f, 0.00f, 0.365f, 5.0f / 11.0f, 2, {{0.0f, 0.5f}, {1.0f, 0.5f}}},
    {"Vocal Air", "Air above 7 kHz and sizzle on consonants for a vocal that sits back",
     0.52f, 0.50f, 0.25f, 0.00f, 0.439f, 5.0f / 11.0f, 3, {{0.0f, 0.5f}, {0.78f, 0.5f}, {1.0f, 0.72f}}},
    {"Bright Tilt", "A drawn tilt: lows down, highs up, pivoting near 1.3 kHz",
     0.50f, 0.50f, 0.00f, 0.00f, 0.539f, 5.0f / 11.0f, 2, {{0.0f, 0.38f}, {1.0f, 0.62f}}},
    {"Warm Tilt", "A drawn tilt the other way: fuller lows, softer highs",
     0.50f, 0.50f, 0.00f, 0.00f, 0.456f, 5.0f / 11.0f, 2, {{0.0f, 0.62f}, {1.0f, 0.38f}}},
    {"Shape Saturation", "Soft saturation with Shape for density and grit",
     0.50f, 0.50f, 0.00f, 0.95f, 0.216f, 5.0f / 11.0f, 2, {{0.0f, 0.5f}, {1.0f, 0.5f}}},
    {"Mono-Safe Widen", "Widens the image while the curve eases the lows below 600 Hz down, so the bass does not swell",
     0.70f, 0.50f, 0.00f, 0.00f, 0.453f, 5.0f / 11.0f, 4, {{0.0f, 0.36f}, {0.3f, 0.40f}, {0.42f, 0.5f}, {1.0f, 0.5f}}},
    {"Mono Check", "Folds the image to mono to check the balance and phase of a mix",
     0.00f, 0.50f, 0.00f, 0.00f, 0.523f, 5.0f / 11.0f, 2, {{0.0f, 0.5f}, {1.0f, 0.5f}}},
    {"Soft Transients", "Rounds off sharp attacks: less click, more body",
     0.50f, 0.25f, 0.00f, 0.00f, 0.548f, 5.0f / 11.0f, 2, {{0.0f, 0.5f}, {1.0f, 0.5f}}},
    {"Sizzle Hats", "Crisper hi-hat and cymbal attacks without raising the whole top",
     0.50f, 0.50f, 0.75f, 0.00f, 0.413f, 5.0f / 11.0f, 2, {{0.0f, 0.5f}, {1.0f, 0.5f}}},
    {"Low Cut Widen", "Thins the bottom below 200 Hz and opens the sides: clears room in a busy mix",
     0.68f, 0.50f, 0.00f, 0.00f, 0.443f, 5.0f / 11.0f, 4, {{0.0f, 0.2f}, {0.2f, 0.3f}, {0.3f, 0.5f}, {1.0f, 0.5f}}},
    {"Presence Lift", "A broad lift from 2 to 8 kHz to bring a part forward",
     0.50f, 0.50f, 0.00f, 0.00f, 0.506f, 7.0f / 11.0f, 6,
     {{0.0f, 0.5f}, {0.45f, 0.5f}, {0.6f, 0.7f}, {0.75f, 0.68f}, {0.88f, 0.5f}, {1.0f, 0.5f}}},
    {"Lo-Fi Crunch", "Narrow, saturated and dark: an old-radio colour for a send",
     0.25f, 0.60f, 0.00f, 0.90f, 0.218f, 8.0f / 11.0f, 4, {{0.0f, 0.3f}, {0.3f, 0.55f}, {0.6f, 0.55f}, {1.0f, 0.25f}}},
    {"Big Room", "Wide, punchy and a little bright: drums and guitars made larger",
     0.78f, 0.68f, 0.20f, 0.15f, 0.318f, 5.0f / 11.0f, 3, {{0.0f, 0.52f}, {0.6f, 0.5f}, {1.0f, 0.56f}}},
};
// clang-format on

}  // namespace

std::span<const FactoryPresetDefinition> factoryPresets()
{
    return kFactoryPresets;
}

ProgramRecord factoryProgram(const FactoryPresetDefinition& preset)
{
    std::array<float, kNumParameters> values;
    for (int i = 0; i < kNumParameters; ++i)
        values[i] = kParameterTable[i].defaultValue;
    values[kParamActive] = 1.0f;
    values[kParamStereoWidth] = preset.stereoWidth;
    values[kParamPunch] = preset.punch;
    values[kParamSizzle] = preset.sizzle;
    values[kParamShape] = preset.shape;
    values[kParamGain] = preset.gain;
    values[kParamEqGain] = preset.eqRange;
    values[kParamEqNum] = static_cast<float>(preset.pointCount) / kMaxEqPoints;
    for (int point = 0; point < preset.pointCount; ++point)
    {
        values[eqPointXIndex(point)] = preset.points[point].x;
        values[eqPointYIndex(point)] = preset.points[point].y;
    }
    return programOf(values, preset.name);
}
