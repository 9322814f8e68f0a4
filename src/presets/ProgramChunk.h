#pragma once

#include "engine/ProgramRecord.h"
#include "params/ParameterTable.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// One program as the state chunks carry it: the bytes of a ProgramRecord, which every format
// takes as its state (the VST 2.4 program chunk, the CLAP state, the VST3 component state).
constexpr std::size_t kProgramChunkBytes = sizeof(ProgramRecord);
using ProgramChunk = std::array<std::uint8_t, kProgramChunkBytes>;

inline ProgramChunk chunkOf(const ProgramRecord& record)
{
    ProgramChunk chunk;
    std::memcpy(chunk.data(), &record, chunk.size());
    return chunk;
}

// The program the effect would hold after these values were set and it was given this name
// (cut to what the program's name field holds): the values, their display values, the name.
ProgramRecord programOf(const std::array<float, kNumParameters>& values, std::string_view name);

// The 42 parameter values a chunk holds, as an editor sets them one gesture each when it
// loads a preset, and compares them with the current ones for its "changed" mark. A value
// that is not a number reads as that parameter's default, as the effect would take it.
inline std::array<float, kNumParameters> parameterValuesOf(const ProgramChunk& chunk)
{
    std::array<float, kNumParameters> values;
    std::memcpy(values.data(), chunk.data() + offsetof(ProgramRecord, value), sizeof(values));
    for (int i = 0; i < kNumParameters; ++i)
    {
        if (!std::isfinite(values[i]))
            values[i] = kParameterTable[i].defaultValue;
    }
    return values;
}
