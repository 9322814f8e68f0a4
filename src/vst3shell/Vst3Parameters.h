#pragma once

#include "vst3/Vst3EditController.h"

#include <cstdint>

// The 42 parameters as a VST3 host lists them: ids are the VST 2.4 indices, and every fact
// and text comes from the one parameter table and formatter, so all formats agree. Values
// are normalised 0..1, which is also what the effect calls plain.

std::int32_t vst3ParameterCount();
bool isVst3Parameter(vst3::ParamId id);
// Title, units and steps from the table; hidden ones (Internal 0, the unnamed one) are
// neither shown nor automated, every other one is automatable.
vst3::tresult vst3ParameterInfo(std::int32_t index, vst3::ParameterInfo& info);
// The host's text for a value, as the VST 2.4 and CLAP modules print it.
vst3::tresult vst3ValueText(vst3::ParamId id, vst3::ParamValue value, vst3::TChar* text);
// Reads such a text back; a value past either end is taken as that end.
vst3::tresult vst3ValueFromText(vst3::ParamId id, const vst3::TChar* text, vst3::ParamValue& value);
// Within 0..1; NaN stays NaN, which the effect ignores as a setting.
vst3::ParamValue vst3BoundedValue(vst3::ParamValue value);
