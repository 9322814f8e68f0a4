#pragma once

#include "presets/ProgramChunk.h"

#include <cstdint>
#include <optional>
#include <string>

// The presets our CLAP preset discovery lists, as the host hands them back to load: a
// factory preset inside the plug-in by its load key (its name), or a program file (.fxp) by
// its path. Main thread: a file is read here.
namespace clap_presets
{

// The load key of a factory preset: its name, which stays as long as the preset does.
std::optional<ProgramChunk> chunkFor(std::uint32_t locationKind, const char* location, const char* loadKey,
                                     std::string& problem);

}  // namespace clap_presets
