#pragma once

#include "engine/ProgramRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

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
