#pragma once

#include "ClapTestSupport.h"

#include <string>
#include <vector>

// What the provider declares and lists, as a host's indexer and metadata receiver hear it.
struct ClapPresetIndex
{
    std::vector<std::string> fileExtensions;
    std::vector<clap::PresetLocation> locations;
    std::vector<std::string> locationPaths;
    struct Preset
    {
        std::string name;
        std::string loadKey;
        bool hasLoadKey = false;
        std::string description;
        std::vector<std::string> pluginIds;
        clap::PresetFlags flags = 0;
    };
    std::vector<Preset> presets;
    std::vector<std::string> errors;
};

clap::PresetIndexer indexerFor(ClapPresetIndex& index);
clap::PresetMetadataReceiver receiverFor(ClapPresetIndex& index);
const clap::PresetDiscoveryFactory* discoveryFactory(const char* id);

// The names of the factory presets inside the plug-in, as the module's one provider lists them.
std::vector<std::string> listedFactoryPresets();
