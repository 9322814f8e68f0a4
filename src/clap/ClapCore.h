#pragma once

// The core of the CLAP binary interface: version, module entry, plug-in factory and
// descriptor, the plug-in and host records, and the process call. Written from the public
// CLAP 1.2 interface. Both our targets are x86_64, where there is one calling convention
// (CLAP's __cdecl on Windows changes nothing there), C's bool is C++'s bool, and every
// width below is fixed, so these records are laid out exactly as a CLAP host expects.

#include <cstddef>
#include <cstdint>

namespace clap
{

struct InputEvents;
struct OutputEvents;

struct Version
{
    std::uint32_t major;
    std::uint32_t minor;
    std::uint32_t revision;
};

// The interface revision these declarations were written from.
constexpr Version kVersion{1, 2, 10};

// Versions below 1 were drafts with other layouts.
constexpr bool isCompatible(Version version)
{
    return version.major >= 1;
}

using Id = std::uint32_t;
constexpr Id kInvalidId = UINT32_MAX;

// Capacities of the fixed text fields, NUL included.
constexpr std::size_t kNameSize = 256;
constexpr std::size_t kPathSize = 1024;

// The exported variable a host looks up by this name. The module defines it with C linkage
// and `extern`, since a namespace-scope const would otherwise stay internal to its file.
constexpr char kEntrySymbol[] = "clap_entry";

struct PluginEntry
{
    Version clapVersion;
    bool (*init)(const char* pluginPath);
    void (*deinit)();
    const void* (*getFactory)(const char* factoryId);
};

struct PluginDescriptor
{
    Version clapVersion;
    const char* id;
    const char* name;
    const char* vendor;
    const char* url;
    const char* manualUrl;
    const char* supportUrl;
    const char* version;
    const char* description;
    const char* const* features;  // ends with a null pointer
};

// Feature keywords hosts sort plug-ins by.
constexpr char kFeatureAudioEffect[] = "audio-effect";
constexpr char kFeatureStereo[] = "stereo";

struct AudioBuffer
{
    float** data32;
    double** data64;
    std::uint32_t channelCount;
    std::uint32_t latency;
    std::uint64_t constantMask;  // bit n set: channel n holds one value throughout
};

// Song position and tempo; we read none of it, so its layout stays undeclared.
struct EventTransport;

struct Process
{
    std::int64_t steadyTime;  // -1 when the host keeps no sample clock
    std::uint32_t framesCount;
    const EventTransport* transport;
    const AudioBuffer* audioInputs;
    AudioBuffer* audioOutputs;
    std::uint32_t audioInputsCount;
    std::uint32_t audioOutputsCount;
    const InputEvents* inEvents;
    const OutputEvents* outEvents;
};

using ProcessStatus = std::int32_t;
constexpr ProcessStatus kProcessError = 0;
constexpr ProcessStatus kProcessContinue = 1;
constexpr ProcessStatus kProcessContinueIfNotQuiet = 2;
constexpr ProcessStatus kProcessTail = 3;
constexpr ProcessStatus kProcessSleep = 4;

struct Plugin
{
    const PluginDescriptor* desc;
    void* pluginData;
    bool (*init)(const Plugin* plugin);
    void (*destroy)(const Plugin* plugin);
    bool (*activate)(const Plugin* plugin, double sampleRate, std::uint32_t minFramesCount,
                     std::uint32_t maxFramesCount);
    void (*deactivate)(const Plugin* plugin);
    bool (*startProcessing)(const Plugin* plugin);
    void (*stopProcessing)(const Plugin* plugin);
    void (*reset)(const Plugin* plugin);
    ProcessStatus (*process)(const Plugin* plugin, const Process* process);
    const void* (*getExtension)(const Plugin* plugin, const char* id);
    void (*onMainThread)(const Plugin* plugin);
};

struct Host
{
    Version clapVersion;
    void* hostData;
    const char* name;
    const char* vendor;
    const char* url;
    const char* version;
    const void* (*getExtension)(const Host* host, const char* extensionId);
    void (*requestRestart)(const Host* host);
    void (*requestProcess)(const Host* host);
    void (*requestCallback)(const Host* host);
};

constexpr char kPluginFactoryId[] = "clap.plugin-factory";

struct PluginFactory
{
    std::uint32_t (*getPluginCount)(const PluginFactory* factory);
    const PluginDescriptor* (*getPluginDescriptor)(const PluginFactory* factory, std::uint32_t index);
    const Plugin* (*createPlugin)(const PluginFactory* factory, const Host* host, const char* pluginId);
};

// The layouts CLAP hosts rely on, the same on 64-bit Linux and 64-bit Windows.
static_assert(sizeof(void*) == 8, "CLAP modules are built for 64-bit hosts only");
static_assert(sizeof(bool) == 1);
static_assert(sizeof(Version) == 12 && offsetof(Version, revision) == 8);
static_assert(sizeof(PluginEntry) == 40);
static_assert(offsetof(PluginEntry, init) == 16 && offsetof(PluginEntry, getFactory) == 32);
static_assert(sizeof(PluginDescriptor) == 88);
static_assert(offsetof(PluginDescriptor, id) == 16 && offsetof(PluginDescriptor, features) == 80);
static_assert(offsetof(PluginDescriptor, version) == 64 && offsetof(PluginDescriptor, description) == 72);
static_assert(sizeof(AudioBuffer) == 32);
static_assert(offsetof(AudioBuffer, channelCount) == 16 && offsetof(AudioBuffer, latency) == 20);
static_assert(offsetof(AudioBuffer, constantMask) == 24);
static_assert(sizeof(Process) == 64);
static_assert(offsetof(Process, framesCount) == 8 && offsetof(Process, transport) == 16);
static_assert(offsetof(Process, audioInputs) == 24 && offsetof(Process, audioOutputs) == 32);
static_assert(offsetof(Process, audioInputsCount) == 40 && offsetof(Process, audioOutputsCount) == 44);
static_assert(offsetof(Process, inEvents) == 48 && offsetof(Process, outEvents) == 56);
static_assert(sizeof(Plugin) == 96);
static_assert(offsetof(Plugin, pluginData) == 8 && offsetof(Plugin, init) == 16);
static_assert(offsetof(Plugin, activate) == 32 && offsetof(Plugin, process) == 72);
static_assert(offsetof(Plugin, getExtension) == 80 && offsetof(Plugin, onMainThread) == 88);
static_assert(sizeof(Host) == 88);
static_assert(offsetof(Host, hostData) == 16 && offsetof(Host, name) == 24 && offsetof(Host, version) == 48);
static_assert(offsetof(Host, getExtension) == 56 && offsetof(Host, requestCallback) == 80);
static_assert(sizeof(PluginFactory) == 24 && offsetof(PluginFactory, createPlugin) == 16);

}  // namespace clap
