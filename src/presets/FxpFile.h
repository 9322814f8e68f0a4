#pragma once

#include "presets/ProgramChunk.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The standard VST 2.4 program file (.fxp) holding one program as an opaque chunk, so any
// VST 2.4 host's own preset loading reads ours too. Big-endian header:
//   0 'CcnK'  4 byte size (file - 8)  8 'FPCh'  12 version 1  16 plug-in id  20 plug-in version
//   24 program count 1  28 name[28], NUL-terminated  56 chunk size  60 the chunk
constexpr std::size_t kFxpHeaderBytes = 60;
constexpr std::size_t kFxpFileBytes = kFxpHeaderBytes + kProgramChunkBytes;
constexpr std::size_t kFxpNameBytes = 28;
// The longest name a file holds, in bytes (the field keeps its terminating NUL).
constexpr std::size_t kFxpLongestName = kFxpNameBytes - 1;

enum class FxpProblem
{
    None,
    Truncated,
    NotAProgramFile,
    ParameterList,  // an 'FxCk' file: values by index, which no plug-in of ours writes
    UnknownVersion,
    ForeignPlugin,
    NotOneProgram,
    WrongSize,
    UnterminatedName,
    Unreadable,  // the file could not be opened or read
};

struct FxpReading
{
    FxpProblem problem = FxpProblem::None;
    std::string name;
    ProgramChunk chunk{};

    bool accepted() const { return problem == FxpProblem::None; }
};

// Checks every field against our plug-in and reads nothing beyond the bytes given.
FxpReading readFxp(std::span<const std::uint8_t> bytes);

// A few words a preset browser can show after the file's name.
const char* fxpProblemText(FxpProblem problem);

// The name is cut to kFxpLongestName bytes, never inside a UTF-8 character.
std::vector<std::uint8_t> writeFxp(std::string_view name, const ProgramChunk& chunk);

// The name as the file will hold it.
std::string fxpStoredName(std::string_view name);

// Our VST 2.4 unique id as the header's big-endian word.
std::uint32_t fxpPluginId();
