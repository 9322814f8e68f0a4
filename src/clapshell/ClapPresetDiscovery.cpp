#include "clapshell/ClapPresetDiscovery.h"

#include "identity/EffectIdentity.h"
#include "platform/PreferencePlaces.h"
#include "presets/FactoryPresets.h"
#include "presets/FxpFileOnDisk.h"

#include <cstring>
#include <exception>
#include <new>
#include <string>

namespace
{

constexpr char kProviderId[] = "com.brackwel.vantor-pro.presets";

const clap::PresetProviderDescriptor kProviderDescriptor{clap::kVersion, kProviderId, "Vantor Pro presets", "Brackwel"};

const clap::UniversalPluginId kPluginId{"clap", kEffectIdentity.clapId};

// One provider as a host made it, with the indexer it declares to.
struct Provider
{
    clap::PresetProvider record;
    const clap::PresetIndexer* indexer;
    std::string userFolder;
};

Provider& providerOf(const clap::PresetProvider* provider)
{
    return *static_cast<Provider*>(provider->providerData);
}

bool providerInit(const clap::PresetProvider* provider)
{
    try
    {
        Provider& self = providerOf(provider);
        const clap::PresetIndexer* indexer = self.indexer;
        const clap::PresetFiletype filetype{"Vantor Pro preset", "VST program file", "fxp"};
        const clap::PresetLocation factory{clap::kPresetIsFactoryContent, "Vantor Pro factory presets",
                                           clap::kPresetLocationPlugin, nullptr};
        if (!indexer->declareFiletype(indexer, &filetype) || !indexer->declareLocation(indexer, &factory))
            return false;
        self.userFolder = platform::preference_places::userPresetFolder();
        if (self.userFolder.empty())
            return true;
        const clap::PresetLocation user{clap::kPresetIsUserContent, "Vantor Pro user presets",
                                        clap::kPresetLocationFile, self.userFolder.c_str()};
        // A host may refuse a folder that is not there yet; the factory presets stand alone.
        indexer->declareLocation(indexer, &user);
        return true;
    }
    catch (const std::exception&)
    {
        return false;
    }
}

void providerDestroy(const clap::PresetProvider* provider)
{
    delete &providerOf(provider);
}

bool listFactoryPresets(const clap::PresetMetadataReceiver* receiver)
{
    for (const FactoryPresetDefinition& preset : factoryPresets())
    {
        if (!receiver->beginPreset(receiver, preset.name, preset.name))
            return true;
        receiver->addPluginId(receiver, &kPluginId);
        receiver->setFlags(receiver, clap::kPresetIsFactoryContent);
        receiver->addCreator(receiver, kEffectIdentity.vendor);
        receiver->setDescription(receiver, preset.description);
    }
    return true;
}

std::string fileStem(const std::string& path)
{
    const std::size_t separator = path.find_last_of("/\\");
    const std::string fileName = separator == std::string::npos ? path : path.substr(separator + 1);
    return fileName.substr(0, fileName.find_last_of('.'));
}

bool describePresetFile(const char* path, const clap::PresetMetadataReceiver* receiver)
{
    const FxpReading reading = readFxpFile(path);
    if (!reading.accepted())
    {
        const std::string message = std::string(path) + ": skipped, " + fxpProblemText(reading.problem);
        receiver->onError(receiver, 0, message.c_str());
        return false;
    }
    // A file holds one preset, loaded by its path and named by its file, as the plug-in's
    // own browser names it: a file renamed by hand shows under its new name.
    const std::string name = fileStem(path);
    if (receiver->beginPreset(receiver, name.c_str(), nullptr))
    {
        receiver->addPluginId(receiver, &kPluginId);
        receiver->setFlags(receiver, clap::kPresetIsUserContent);
    }
    return true;
}

bool providerGetMetadata(const clap::PresetProvider*, std::uint32_t locationKind, const char* location,
                         const clap::PresetMetadataReceiver* receiver)
{
    if (receiver == nullptr)
        return false;
    try
    {
        if (locationKind == clap::kPresetLocationPlugin)
            return listFactoryPresets(receiver);
        return locationKind == clap::kPresetLocationFile && location != nullptr &&
               describePresetFile(location, receiver);
    }
    catch (const std::exception&)
    {
        return false;
    }
}

const void* providerGetExtension(const clap::PresetProvider*, const char*)
{
    return nullptr;
}

std::uint32_t factoryCount(const clap::PresetDiscoveryFactory*)
{
    return 1;
}

const clap::PresetProviderDescriptor* factoryDescriptor(const clap::PresetDiscoveryFactory*, std::uint32_t index)
{
    return index == 0 ? &kProviderDescriptor : nullptr;
}

const clap::PresetProvider* factoryCreate(const clap::PresetDiscoveryFactory*, const clap::PresetIndexer* indexer,
                                          const char* providerId)
{
    if (indexer == nullptr || providerId == nullptr || std::strcmp(providerId, kProviderId) != 0 ||
        indexer->declareFiletype == nullptr || indexer->declareLocation == nullptr)
        return nullptr;
    auto* provider = new (std::nothrow) Provider{
        {&kProviderDescriptor, nullptr, providerInit, providerDestroy, providerGetMetadata, providerGetExtension},
        indexer,
        {}};
    if (provider == nullptr)
        return nullptr;
    provider->record.providerData = provider;
    return &provider->record;
}

const clap::PresetDiscoveryFactory kFactory{factoryCount, factoryDescriptor, factoryCreate};

}  // namespace

const clap::PresetDiscoveryFactory& clapPresetDiscoveryFactory()
{
    return kFactory;
}
