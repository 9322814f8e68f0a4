#include "ClapPresetIndex.h"

namespace
{

ClapPresetIndex& indexOf(const void* data)
{
    return *static_cast<ClapPresetIndex*>(const_cast<void*>(data));
}

}  // namespace

clap::PresetIndexer indexerFor(ClapPresetIndex& index)
{
    clap::PresetIndexer indexer{};
    indexer.clapVersion = clap::kVersion;
    indexer.name = "test indexer";
    indexer.indexerData = &index;
    indexer.declareFiletype = [](const clap::PresetIndexer* self, const clap::PresetFiletype* filetype)
    {
        indexOf(self->indexerData).fileExtensions.push_back(filetype->fileExtension);
        return true;
    };
    indexer.declareLocation = [](const clap::PresetIndexer* self, const clap::PresetLocation* location)
    {
        indexOf(self->indexerData).locations.push_back(*location);
        indexOf(self->indexerData).locationPaths.push_back(location->location != nullptr ? location->location : "");
        return true;
    };
    indexer.declareSoundpack = [](const clap::PresetIndexer*, const clap::PresetSoundpack*) { return true; };
    indexer.getExtension = [](const clap::PresetIndexer*, const char*) -> const void* { return nullptr; };
    return indexer;
}

clap::PresetMetadataReceiver receiverFor(ClapPresetIndex& index)
{
    clap::PresetMetadataReceiver receiver{};
    receiver.receiverData = &index;
    receiver.onError = [](const clap::PresetMetadataReceiver* self, std::int32_t, const char* message)
    { indexOf(self->receiverData).errors.push_back(message); };
    receiver.beginPreset = [](const clap::PresetMetadataReceiver* self, const char* name, const char* key)
    {
        indexOf(self->receiverData)
            .presets.push_back({name != nullptr ? name : "", key != nullptr ? key : "", key != nullptr, "", {}, 0});
        return true;
    };
    receiver.addPluginId = [](const clap::PresetMetadataReceiver* self, const clap::UniversalPluginId* id)
    { indexOf(self->receiverData).presets.back().pluginIds.push_back(std::string(id->abi) + ":" + id->id); };
    receiver.setSoundpackId = [](const clap::PresetMetadataReceiver*, const char*) {};
    receiver.setFlags = [](const clap::PresetMetadataReceiver* self, clap::PresetFlags flags)
    { indexOf(self->receiverData).presets.back().flags = flags; };
    receiver.addCreator = [](const clap::PresetMetadataReceiver*, const char*) {};
    receiver.setDescription = [](const clap::PresetMetadataReceiver* self, const char* description)
    { indexOf(self->receiverData).presets.back().description = description; };
    receiver.setTimestamps = [](const clap::PresetMetadataReceiver*, clap::Timestamp, clap::Timestamp) {};
    receiver.addFeature = [](const clap::PresetMetadataReceiver*, const char*) {};
    receiver.addExtraInfo = [](const clap::PresetMetadataReceiver*, const char*, const char*) {};
    return receiver;
}

const clap::PresetDiscoveryFactory* discoveryFactory(const char* id)
{
    return static_cast<const clap::PresetDiscoveryFactory*>(clapModule().entry()->getFactory(id));
}

std::vector<std::string> listedFactoryPresets()
{
    const clap::PresetDiscoveryFactory* factory = discoveryFactory(clap::kPresetDiscoveryFactoryId);
    if (factory == nullptr || factory->count(factory) != 1)
        return {};
    ClapPresetIndex index;
    const clap::PresetIndexer indexer = indexerFor(index);
    const clap::PresetProvider* provider = factory->create(factory, &indexer, factory->getDescriptor(factory, 0)->id);
    if (provider == nullptr)
        return {};
    const clap::PresetMetadataReceiver receiver = receiverFor(index);
    std::vector<std::string> names;
    if (provider->init(provider) && provider->getMetadata(provider, clap::kPresetLocationPlugin, nullptr, &receiver))
    {
        for (const ClapPresetIndex::Preset& preset : index.presets)
            names.push_back(preset.name);
    }
    provider->destroy(provider);
    return names;
}
