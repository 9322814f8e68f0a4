// The C side of the CLAP module: the exported entry, the factory with its one descriptor,
// the plug-in record's calls and the extension tables, each a thin call into ClapEffect.
// No exception ever crosses into the host: every call that can allocate is guarded.
#include "base/UserMessage.h"
#include "clap/ClapAbi.h"
#include "clapshell/ClapEffect.h"
#include "clapshell/ClapPresetDiscovery.h"
#include "effect/ModuleExport.h"
#include "identity/EffectIdentity.h"
#include "platform/MessageBox.h"

#include <cstring>
#include <exception>
#include <new>

namespace
{

constexpr const char* kFeatures[] = {clap::kFeatureAudioEffect, clap::kFeatureStereo, nullptr};

const clap::PluginDescriptor kDescriptor{
    clap::kVersion,
    kEffectIdentity.clapId,
    kEffectIdentity.product,
    kEffectIdentity.vendor,
    "",
    "",
    "",
    kEffectIdentity.versionText,
    kEffectIdentity.description,
    kFeatures,
};

ClapEffect& effectOf(const clap::Plugin* plugin)
{
    return ClapEffect::of(plugin);
}

// Audio ports: one stereo input and one stereo output, which may share their buffers.

std::uint32_t audioPortCount(const clap::Plugin*, bool)
{
    return 1;
}

bool audioPortInfo(const clap::Plugin*, std::uint32_t index, bool isInput, clap::AudioPortInfo* info)
{
    if (index != 0 || info == nullptr)
        return false;
    *info = clap::AudioPortInfo{};
    info->id = 0;
    std::strcpy(info->name, isInput ? "Stereo In" : "Stereo Out");
    info->flags = clap::kAudioPortIsMain;
    info->channelCount = 2;
    info->portType = clap::kPortStereo;
    info->inPlacePair = 0;
    return true;
}

const clap::PluginAudioPorts kAudioPorts{audioPortCount, audioPortInfo};

// Parameters.

std::uint32_t paramCount(const clap::Plugin*)
{
    return kNumParameters;
}

bool paramInfo(const clap::Plugin* plugin, std::uint32_t index, clap::ParamInfo* info)
{
    return info != nullptr && effectOf(plugin).parameterInfo(index, *info);
}

bool paramValue(const clap::Plugin* plugin, clap::Id id, double* value)
{
    return value != nullptr && effectOf(plugin).parameterValue(id, *value);
}

bool paramValueToText(const clap::Plugin* plugin, clap::Id id, double value, char* text, std::uint32_t capacity)
{
    return effectOf(plugin).valueToText(id, value, text, capacity);
}

bool paramTextToValue(const clap::Plugin* plugin, clap::Id id, const char* text, double* value)
{
    return value != nullptr && effectOf(plugin).textToValue(id, text, *value);
}

void paramFlush(const clap::Plugin* plugin, const clap::InputEvents* in, const clap::OutputEvents* out)
{
    effectOf(plugin).flush(in, out);
}

const clap::PluginParams kParams{paramCount, paramInfo, paramValue, paramValueToText, paramTextToValue, paramFlush};

// State, latency, tail.

bool stateSave(const clap::Plugin* plugin, const clap::OutputStream* stream)
{
    return stream != nullptr && effectOf(plugin).saveState(*stream);
}

bool stateLoad(const clap::Plugin* plugin, const clap::InputStream* stream)
{
    return stream != nullptr && effectOf(plugin).loadState(*stream);
}

const clap::PluginState kState{stateSave, stateLoad};

// Presets the host's preset discovery listed (ClapPresetDiscovery.cpp).

bool presetLoadFromLocation(const clap::Plugin* plugin, std::uint32_t locationKind, const char* location,
                            const char* loadKey)
{
    try
    {
        return effectOf(plugin).loadPreset(locationKind, location, loadKey);
    }
    catch (const std::exception&)
    {
        return false;
    }
}

const clap::PluginPresetLoad kPresetLoad{presetLoadFromLocation};

std::uint32_t latencyGet(const clap::Plugin* plugin)
{
    return effectOf(plugin).latency();
}

const clap::PluginLatency kLatency{latencyGet};

std::uint32_t tailGet(const clap::Plugin* plugin)
{
    return effectOf(plugin).tail();
}

const clap::PluginTail kTail{tailGet};

// The editor, embedded at its one size.

ClapEditorEmbedding* guiOf(const clap::Plugin* plugin)
{
    return effectOf(plugin).gui();
}

bool guiIsApiSupported(const clap::Plugin* plugin, const char* api, bool isFloating)
{
    return guiOf(plugin)->isApiSupported(api, isFloating);
}

bool guiPreferredApi(const clap::Plugin*, const char** api, bool* isFloating)
{
    if (api == nullptr || isFloating == nullptr)
        return false;
    *api = ClapEditorEmbedding::windowApi();
    *isFloating = false;
    return true;
}

bool guiCreate(const clap::Plugin* plugin, const char* api, bool isFloating)
{
    return guiOf(plugin)->create(api, isFloating);
}

void guiDestroy(const clap::Plugin* plugin)
{
    guiOf(plugin)->destroy();
}

bool guiSetScale(const clap::Plugin* plugin, double scale)
{
    return guiOf(plugin)->setScale(scale);
}

bool guiSize(const clap::Plugin* plugin, std::uint32_t* width, std::uint32_t* height)
{
    return width != nullptr && height != nullptr && guiOf(plugin)->size(*width, *height);
}

bool guiCanResize(const clap::Plugin*)
{
    return false;
}

bool guiResizeHints(const clap::Plugin* plugin, clap::GuiResizeHints* hints)
{
    return hints != nullptr && guiOf(plugin)->resizeHints(*hints);
}

// Not resizable: only its own size fits.
bool guiAdjustSize(const clap::Plugin* plugin, std::uint32_t* width, std::uint32_t* height)
{
    return width != nullptr && height != nullptr && guiOf(plugin)->size(*width, *height);
}

bool guiSetSize(const clap::Plugin* plugin, std::uint32_t width, std::uint32_t height)
{
    return guiOf(plugin)->fits(width, height);
}

bool guiSetParent(const clap::Plugin* plugin, const clap::Window* window)
{
    return window != nullptr && guiOf(plugin)->setParent(*window);
}

// Never floating, so neither of these applies.
bool guiSetTransient(const clap::Plugin*, const clap::Window*)
{
    return false;
}

void guiSuggestTitle(const clap::Plugin*, const char*) {}

bool guiShow(const clap::Plugin* plugin)
{
    return guiOf(plugin)->show();
}

bool guiHide(const clap::Plugin* plugin)
{
    return guiOf(plugin)->hide();
}

const clap::PluginGui kGui{guiIsApiSupported, guiPreferredApi, guiCreate,       guiDestroy,    guiSetScale,
                           guiSize,           guiCanResize,    guiResizeHints,  guiAdjustSize, guiSetSize,
                           guiSetParent,      guiSetTransient, guiSuggestTitle, guiShow,       guiHide};

void onTimer(const clap::Plugin* plugin, clap::Id timer)
{
    guiOf(plugin)->onTimer(timer);
}

const clap::PluginTimerSupport kTimerSupport{onTimer};

void onFd(const clap::Plugin* plugin, int fd, clap::PosixFdFlags)
{
    guiOf(plugin)->onDescriptor(fd);
}

const clap::PluginPosixFdSupport kPosixFdSupport{onFd};

// The plug-in record's calls.

bool pluginInit(const clap::Plugin* plugin)
{
    try
    {
        return effectOf(plugin).init();
    }
    catch (const std::exception&)
    {
        return false;
    }
}

void pluginDestroy(const clap::Plugin* plugin)
{
    delete &effectOf(plugin);
}

bool pluginActivate(const clap::Plugin* plugin, double sampleRate, std::uint32_t, std::uint32_t)
{
    try
    {
        return effectOf(plugin).activate(sampleRate);
    }
    catch (const std::exception&)
    {
        return false;
    }
}

void pluginDeactivate(const clap::Plugin* plugin)
{
    effectOf(plugin).deactivate();
}

bool pluginStartProcessing(const clap::Plugin* plugin)
{
    return effectOf(plugin).startProcessing();
}

void pluginStopProcessing(const clap::Plugin* plugin)
{
    effectOf(plugin).stopProcessing();
}

void pluginReset(const clap::Plugin* plugin)
{
    effectOf(plugin).reset();
}

clap::ProcessStatus pluginProcess(const clap::Plugin* plugin, const clap::Process* process)
{
    return process != nullptr ? effectOf(plugin).process(*process) : clap::kProcessError;
}

// The editor's extensions are offered only when there is an editor to show.
const void* pluginExtension(const clap::Plugin* plugin, const char* id)
{
    if (id == nullptr)
        return nullptr;
    const bool hasEditor = effectOf(plugin).gui() != nullptr &&
                           effectOf(plugin).gui()->isApiSupported(ClapEditorEmbedding::windowApi(), false);
    const struct
    {
        const char* id;
        const void* extension;
        bool offered;
    } kExtensions[] = {
        {clap::kExtAudioPorts, &kAudioPorts, true},
        {clap::kExtParams, &kParams, true},
        {clap::kExtState, &kState, true},
        {clap::kExtPresetLoad, &kPresetLoad, true},
        {clap::kExtPresetLoadCompat, &kPresetLoad, true},
        {clap::kExtLatency, &kLatency, true},
        {clap::kExtTail, &kTail, true},
        {clap::kExtGui, &kGui, hasEditor},
        {clap::kExtTimerSupport, &kTimerSupport, hasEditor},
#if !defined(_WIN32)
        {clap::kExtPosixFdSupport, &kPosixFdSupport, hasEditor},
#endif
    };
    for (const auto& extension : kExtensions)
    {
        if (extension.offered && std::strcmp(id, extension.id) == 0)
            return extension.extension;
    }
    return nullptr;
}

void pluginOnMainThread(const clap::Plugin*) {}

const clap::Plugin kPluginCalls{&kDescriptor,
                                nullptr,
                                pluginInit,
                                pluginDestroy,
                                pluginActivate,
                                pluginDeactivate,
                                pluginStartProcessing,
                                pluginStopProcessing,
                                pluginReset,
                                pluginProcess,
                                pluginExtension,
                                pluginOnMainThread};

// The factory: one plug-in.

std::uint32_t factoryPluginCount(const clap::PluginFactory*)
{
    return 1;
}

const clap::PluginDescriptor* factoryDescriptor(const clap::PluginFactory*, std::uint32_t index)
{
    return index == 0 ? &kDescriptor : nullptr;
}

const clap::Plugin* factoryCreate(const clap::PluginFactory*, const clap::Host* host, const char* pluginId)
{
    if (host == nullptr || pluginId == nullptr || std::strcmp(pluginId, kEffectIdentity.clapId) != 0 ||
        !clap::isCompatible(host->clapVersion))
        return nullptr;
    auto* effect = new (std::nothrow) ClapEffect(host, kPluginCalls);
    return effect != nullptr ? effect->plugin() : nullptr;
}

const clap::PluginFactory kFactory{factoryPluginCount, factoryDescriptor, factoryCreate};

bool entryInit(const char*)
{
    base::setMessagePresenter(platform::showMessageBox);
    return true;
}

void entryDeinit() {}

const void* entryFactory(const char* factoryId)
{
    if (factoryId == nullptr)
        return nullptr;
    if (std::strcmp(factoryId, clap::kPluginFactoryId) == 0)
        return &kFactory;
    if (std::strcmp(factoryId, clap::kPresetDiscoveryFactoryId) == 0 ||
        std::strcmp(factoryId, clap::kPresetDiscoveryFactoryIdCompat) == 0)
        return &clapPresetDiscoveryFactory();
    return nullptr;
}

}  // namespace

// The one symbol a CLAP host looks for.
VANTOR_EXPORT const clap::PluginEntry clap_entry{clap::kVersion, entryInit, entryDeinit, entryFactory};
