#pragma once

// The preset-load extension: the host asks the plug-in to load a preset its preset
// discovery listed, and the plug-in tells the host what it loaded (or why it could not).

#include "clap/ClapCore.h"

#include <cstddef>
#include <cstdint>

namespace clap
{

constexpr char kExtPresetLoad[] = "clap.preset-load/2";
// The same layout under its draft name, which hosts of CLAP 1.1 ask for.
constexpr char kExtPresetLoadCompat[] = "clap.preset-load.draft/2";

// Main thread. location_kind is a PresetLocationKind (ClapPresetDiscovery.h).
struct PluginPresetLoad
{
    bool (*fromLocation)(const Plugin* plugin, std::uint32_t locationKind, const char* location, const char* loadKey);
};

// Main thread.
struct HostPresetLoad
{
    void (*onError)(const Host* host, std::uint32_t locationKind, const char* location, const char* loadKey,
                    std::int32_t osError, const char* message);
    // The load key only for a preset from a container (the plug-in's own), else null.
    void (*loaded)(const Host* host, std::uint32_t locationKind, const char* location, const char* loadKey);
};

static_assert(sizeof(PluginPresetLoad) == 8);
static_assert(sizeof(HostPresetLoad) == 16 && offsetof(HostPresetLoad, loaded) == 8);

}  // namespace clap
