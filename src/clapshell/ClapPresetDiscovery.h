#pragma once

#include "clap/ClapPresetDiscovery.h"

// The module's preset-discovery factory: one provider, which lists the factory presets
// inside the plug-in (loaded by their names as load keys) and the program files (.fxp) in
// the user's preset folder. Read and written on the host's indexing thread only.
const clap::PresetDiscoveryFactory& clapPresetDiscoveryFactory();
