#include "clapshell/ClapPresetSource.h"

#include "clap/ClapPresetDiscovery.h"
#include "presets/FactoryPresets.h"
#include "presets/FxpFileOnDisk.h"

#include <cstring>

namespace clap_presets
{

std::optional<ProgramChunk> chunkFor(std::uint32_t locationKind, const char* location, const char* loadKey,
                                     std::string& problem)
{
    if (locationKind == clap::kPresetLocationPlugin)
    {
        for (const FactoryPresetDefinition& preset : factoryPresets())
        {
            if (loadKey != nullptr && std::strcmp(loadKey, preset.name) == 0)
                return factoryChunk(preset);
        }
        problem = std::string("no factory preset named \"") + (loadKey != nullptr ? loadKey : "") + "\"";
        return std::nullopt;
    }
    if (locationKind != clap::kPresetLocationFile || location == nullptr)
    {
        problem = "not a place presets are loaded from";
        return std::nullopt;
    }
    const FxpReading reading = readFxpFile(location);
    if (!reading.accepted())
    {
        problem = std::string(location) + ": not loaded, " + fxpProblemText(reading.problem);
        return std::nullopt;
    }
    return reading.chunk;
}

}  // namespace clap_presets
