#pragma once

// The state extension: the plug-in's whole setting saved to and loaded from a byte stream,
// and the host's record of when it needs saving again.

#include "clap/ClapCore.h"
#include "clap/ClapStreams.h"

#include <cstddef>

namespace clap
{

constexpr char kExtState[] = "clap.state";

struct PluginState
{
    bool (*save)(const Plugin* plugin, const OutputStream* stream);
    bool (*load)(const Plugin* plugin, const InputStream* stream);
};

struct HostState
{
    void (*markDirty)(const Host* host);
};

static_assert(sizeof(PluginState) == 16 && offsetof(PluginState, load) == 8);
static_assert(sizeof(HostState) == 8);

}  // namespace clap
