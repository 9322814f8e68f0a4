#pragma once

#include "presets/ProgramChunk.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A VST3 preset file (.vstpreset) for our class, little-endian:
//   0 'VST3'  4 version 1  8 the class id as 32 hexadecimal ASCII digits  40 offset of the
//   chunk list (64 bits)  48 the component state: our program chunk  then the chunk list:
//   'List', entry count, and per entry its id, offset and size (64 bits each). The
//   controller's state ('Cont') is empty, as our controller keeps no state of its own.
constexpr std::size_t kVst3PresetHeaderBytes = 48;

// The class id as the file's header spells it.
std::string vst3PresetClassId();

std::vector<std::uint8_t> writeVst3Preset(const ProgramChunk& chunk);
