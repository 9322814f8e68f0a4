#pragma once

#include "params/ParameterTable.h"

// Parameter values in the user's units, for hosts that take them so (LV2 ports): the range
// and unit each parameter shows there, and the mapping both ways. The normalised value stays
// what state and the engine hold; this is the host-facing side only.
//
// Exactness: a plain value that some normalised value reads as maps back to a normalised
// value that reads as exactly that plain value, so a value a host writes reads back the same.
// Any other plain value maps to the normalised value whose reading is nearest.

struct PlainRange
{
    float minimum;
    float maximum;
};

PlainRange plainRangeOf(int index);
// "%", "dB", or "" for a count or a bare number.
const char* plainUnitOf(int index);

// The normalised value (taken as the host range keeps it, 0..1) in the user's units.
float plainValueFor(int index, float normalisedValue);
// The normalised value for a plain one, limited to the plain range first. Gain's lowest plain
// value, and anything below it, is silence (0), as the editor's "-inf." is.
float normalisedValueForPlain(int index, float plainValue);

// Gain's lowest plain value: below it the taper runs on to silence, which no dB value names.
constexpr float kGainFloorDecibels = -80.0f;
