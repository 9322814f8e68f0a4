#pragma once

#include "vst3/Vst3Abi.h"

#include <cstdint>
#include <optional>

// The factory presets as a VST3 program list of the one (root) unit, with the parameter
// that picks one, so a host lists them in its own preset menu even from a bundle copied
// by hand, with no .vstpreset file where it looks.

constexpr vst3::ProgramListId kFactoryProgramListId = 1;
// Past the effect's own parameter ids, which are the VST 2.4 indices.
constexpr vst3::ParamId kProgramChangeParameterId = 1000;

std::int32_t factoryProgramCount();
vst3::tresult vst3UnitInfo(std::int32_t unitIndex, vst3::UnitInfo& info);
vst3::tresult vst3ProgramListInfo(std::int32_t listIndex, vst3::ProgramListInfo& info);
vst3::tresult vst3ProgramName(vst3::ProgramListId listId, std::int32_t program, vst3::TChar* name);
// The program-change parameter: a list of the programs' names, not automatable (a host
// that picks a program hears it as the parameters' own changes).
void programChangeParameterInfo(vst3::ParameterInfo& info);
// Normalised value and program index, both ways; a value past either end is that end.
vst3::ParamValue programValue(std::int32_t program);
std::int32_t programAt(vst3::ParamValue value);
// The program a host's text names, if any.
std::optional<std::int32_t> programNamed(const vst3::TChar* text);
