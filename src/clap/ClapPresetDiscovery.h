#pragma once

// The preset-discovery factory: a host asks the module for its preset providers, and each
// provider declares the file types and places of its presets and reads a preset file's (or
// the plug-in's own built-in) presets into the host's index. Loading one goes through the
// preset-load extension (ClapPresetLoad.h).

#include "clap/ClapCore.h"

#include <cstddef>
#include <cstdint>

namespace clap
{

constexpr char kPresetDiscoveryFactoryId[] = "clap.preset-discovery-factory/2";
// The same layout under its draft name, which hosts of CLAP 1.1 ask for.
constexpr char kPresetDiscoveryFactoryIdCompat[] = "clap.preset-discovery-factory/draft-2";

// Where presets are: a file or folder path, or inside the plug-in (location then null).
enum PresetLocationKind : std::uint32_t
{
    kPresetLocationFile = 0,
    kPresetLocationPlugin = 1,
};

using PresetFlags = std::uint32_t;
constexpr PresetFlags kPresetIsFactoryContent = 1u << 0;
constexpr PresetFlags kPresetIsUserContent = 1u << 1;
constexpr PresetFlags kPresetIsDemoContent = 1u << 2;
constexpr PresetFlags kPresetIsFavorite = 1u << 3;

// Seconds since the Unix epoch; 0 for unknown.
using Timestamp = std::uint64_t;

// A plug-in a preset applies to, by its format ("clap", "vst2", "vst3") and that format's id.
struct UniversalPluginId
{
    const char* abi;
    const char* id;
};

struct PresetMetadataReceiver
{
    void* receiverData;
    void (*onError)(const PresetMetadataReceiver* receiver, std::int32_t osError, const char* message);
    // Starts a preset; name and load key are required for a container (the plug-in's own
    // presets). False: stop calling this receiver.
    bool (*beginPreset)(const PresetMetadataReceiver* receiver, const char* name, const char* loadKey);
    void (*addPluginId)(const PresetMetadataReceiver* receiver, const UniversalPluginId* pluginId);
    void (*setSoundpackId)(const PresetMetadataReceiver* receiver, const char* soundpackId);
    void (*setFlags)(const PresetMetadataReceiver* receiver, PresetFlags flags);
    void (*addCreator)(const PresetMetadataReceiver* receiver, const char* creator);
    void (*setDescription)(const PresetMetadataReceiver* receiver, const char* description);
    void (*setTimestamps)(const PresetMetadataReceiver* receiver, Timestamp creation, Timestamp modification);
    void (*addFeature)(const PresetMetadataReceiver* receiver, const char* feature);
    void (*addExtraInfo)(const PresetMetadataReceiver* receiver, const char* key, const char* value);
};

struct PresetFiletype
{
    const char* name;
    const char* description;    // optional
    const char* fileExtension;  // without the dot
};

struct PresetLocation
{
    PresetFlags flags;
    const char* name;
    std::uint32_t kind;    // PresetLocationKind
    const char* location;  // a path for kPresetLocationFile; null for kPresetLocationPlugin
};

struct PresetSoundpack
{
    PresetFlags flags;
    const char* id;
    const char* name;
    const char* description;
    const char* homepageUrl;
    const char* vendor;
    const char* imagePath;
    Timestamp releaseTimestamp;
};

struct PresetProviderDescriptor
{
    Version clapVersion;
    const char* id;
    const char* name;
    const char* vendor;
};

// Not thread-safe: a host calls one provider from one thread at a time.
struct PresetProvider
{
    const PresetProviderDescriptor* desc;
    void* providerData;
    // Declares the provider's file types and locations through the indexer.
    bool (*init)(const PresetProvider* provider);
    void (*destroy)(const PresetProvider* provider);
    bool (*getMetadata)(const PresetProvider* provider, std::uint32_t locationKind, const char* location,
                        const PresetMetadataReceiver* receiver);
    const void* (*getExtension)(const PresetProvider* provider, const char* extensionId);
};

struct PresetIndexer
{
    Version clapVersion;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    void* indexerData;
    bool (*declareFiletype)(const PresetIndexer* indexer, const PresetFiletype* filetype);
    bool (*declareLocation)(const PresetIndexer* indexer, const PresetLocation* location);
    bool (*declareSoundpack)(const PresetIndexer* indexer, const PresetSoundpack* soundpack);
    const void* (*getExtension)(const PresetIndexer* indexer, const char* extensionId);
};

struct PresetDiscoveryFactory
{
    std::uint32_t (*count)(const PresetDiscoveryFactory* factory);
    const PresetProviderDescriptor* (*getDescriptor)(const PresetDiscoveryFactory* factory, std::uint32_t index);
    const PresetProvider* (*create)(const PresetDiscoveryFactory* factory, const PresetIndexer* indexer,
                                    const char* providerId);
};

static_assert(sizeof(UniversalPluginId) == 16);
static_assert(sizeof(PresetMetadataReceiver) == 88 && offsetof(PresetMetadataReceiver, beginPreset) == 16 &&
              offsetof(PresetMetadataReceiver, setDescription) == 56 &&
              offsetof(PresetMetadataReceiver, addExtraInfo) == 80);
static_assert(sizeof(PresetFiletype) == 24);
static_assert(sizeof(PresetLocation) == 32 && offsetof(PresetLocation, name) == 8 &&
              offsetof(PresetLocation, kind) == 16 && offsetof(PresetLocation, location) == 24);
static_assert(sizeof(PresetSoundpack) == 64 && offsetof(PresetSoundpack, releaseTimestamp) == 56);
static_assert(sizeof(PresetProviderDescriptor) == 40 && offsetof(PresetProviderDescriptor, id) == 16);
static_assert(sizeof(PresetProvider) == 48 && offsetof(PresetProvider, getMetadata) == 32);
static_assert(sizeof(PresetIndexer) == 88 && offsetof(PresetIndexer, indexerData) == 48 &&
              offsetof(PresetIndexer, getExtension) == 80);
static_assert(sizeof(PresetDiscoveryFactory) == 24);

}  // namespace clap
