#pragma once

// The latency extension: the delay the plug-in adds, fixed while it is active.

#include "clap/ClapCore.h"

#include <cstdint>

namespace clap
{

constexpr char kExtLatency[] = "clap.latency";

struct PluginLatency
{
    std::uint32_t (*get)(const Plugin* plugin);  // in samples
};

// Only during activate(); an active plug-in asks for a restart instead.
struct HostLatency
{
    void (*changed)(const Host* host);
};

static_assert(sizeof(PluginLatency) == 8 && sizeof(HostLatency) == 8);

}  // namespace clap
