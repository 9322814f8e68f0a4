#pragma once

#include "vst/VstAbi.h"

#include <string>

using PluginEntry = AEffect* (*)(audioMasterCallback);

// A VST 2.4 module file loaded the way a host loads it. The module stays loaded for the
// life of the process: effects may outlive any one owner of this object.
struct LoadedModule
{
    PluginEntry entry = nullptr;        // VSTPluginMain
    PluginEntry legacyEntry = nullptr;  // main, exported by older modules
    std::string error;                  // why loading failed, empty on success
};

LoadedModule loadPluginModule(const std::string& path);
