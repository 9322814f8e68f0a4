#include "ClapPluginInstance.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{

// Bytes past a text buffer's capacity that must come back untouched.
constexpr std::size_t kTextGuardBytes = 16;
constexpr char kUnwrittenByte = 0x7f;

}  // namespace

ClapPluginInstance::ClapPluginInstance(const ClapModule& module, const std::string& pluginId)
{
    if (!module.loaded())
    {
        createError = module.error();
        return;
    }
    plugin = module.createPlugin(clapHost.host(), pluginId);
    if (plugin == nullptr)
    {
        createError = module.path() + " created no plug-in " + pluginId;
        return;
    }
    clapHost.attach(plugin);
}

ClapPluginInstance::~ClapPluginInstance()
{
    if (plugin == nullptr)
        return;
    if (guiCreated)
        guiDestroy();
    if (processing)
        stopProcessing();
    if (active)
        deactivate();
    plugin->destroy(plugin);
}

bool ClapPluginInstance::init()
{
    clapHost.allowCallbacks();
    initialised = plugin->init(plugin);
    return initialised;
}

bool ClapPluginInstance::activate(double sampleRate, std::uint32_t minFrames, std::uint32_t maxFrames)
{
    clapHost.setBeingActivated(true);
    const bool activated = plugin->activate(plugin, sampleRate, minFrames, maxFrames);
    clapHost.setBeingActivated(false);
    active = activated;
    clapHost.setActive(activated);
    return activated;
}

void ClapPluginInstance::deactivate()
{
    plugin->deactivate(plugin);
    active = false;
    clapHost.setActive(false);
}

bool ClapPluginInstance::startProcessing()
{
    ClapHost::AudioThreadScope audioThread(clapHost);
    processing = plugin->startProcessing(plugin);
    return processing;
}

void ClapPluginInstance::stopProcessing()
{
    ClapHost::AudioThreadScope audioThread(clapHost);
    plugin->stopProcessing(plugin);
    processing = false;
}

void ClapPluginInstance::reset()
{
    ClapHost::AudioThreadScope audioThread(clapHost);
    plugin->reset(plugin);
}

clap::ProcessStatus ClapPluginInstance::process(const float* const input[2], float* const output[2],
                                                std::uint32_t frames)
{
    ClapHost::AudioThreadScope audioThread(clapHost);
    // CLAP's buffer record is not const-qualified; the plug-in only reads the input.
    float* inputChannels[2] = {const_cast<float*>(input[0]), const_cast<float*>(input[1])};
    float* outputChannels[2] = {output[0], output[1]};
    const clap::AudioBuffer inputBuffer{
        .data32 = inputChannels, .data64 = nullptr, .channelCount = 2, .latency = 0, .constantMask = 0};
    clap::AudioBuffer outputBuffer{
        .data32 = outputChannels, .data64 = nullptr, .channelCount = 2, .latency = 0, .constantMask = 0};
    const clap::Process block{.steadyTime = steadyTime,
                              .framesCount = frames,
                              .transport = nullptr,
                              .audioInputs = &inputBuffer,
                              .audioOutputs = &outputBuffer,
                              .audioInputsCount = 1,
                              .audioOutputsCount = 1,
                              .inEvents = inputList.inputEvents(),
                              .outEvents = outputList.outputEvents()};
    outputList.clear();
    const clap::ProcessStatus status = plugin->process(plugin, &block);
    inputList.clear();
    steadyTime += frames;
    return status;
}

bool ClapPluginInstance::flushParams()
{
    const auto* params = extension<clap::PluginParams>(clap::kExtParams);
    if (params == nullptr)
        return false;
    std::optional<ClapHost::AudioThreadScope> audioThread;
    if (active)
        audioThread.emplace(clapHost);
    outputList.clear();
    params->flush(plugin, inputList.inputEvents(), outputList.outputEvents());
    inputList.clear();
    return true;
}

std::uint32_t ClapPluginInstance::paramCount() const
{
    const auto* params = extension<clap::PluginParams>(clap::kExtParams);
    return params != nullptr ? params->count(plugin) : 0;
}

std::optional<clap::ParamInfo> ClapPluginInstance::paramInfo(std::uint32_t index) const
{
    const auto* params = extension<clap::PluginParams>(clap::kExtParams);
    clap::ParamInfo info{};
    if (params == nullptr || !params->getInfo(plugin, index, &info))
        return std::nullopt;
    return info;
}

std::optional<double> ClapPluginInstance::paramValue(clap::Id paramId) const
{
    const auto* params = extension<clap::PluginParams>(clap::kExtParams);
    double value = 0.0;
    if (params == nullptr || !params->getValue(plugin, paramId, &value))
        return std::nullopt;
    return value;
}

std::optional<std::string> ClapPluginInstance::valueToText(clap::Id paramId, double value, std::uint32_t capacity) const
{
    const auto* params = extension<clap::PluginParams>(clap::kExtParams);
    if (params == nullptr)
        return std::nullopt;
    std::vector<char> buffer(capacity + kTextGuardBytes, kUnwrittenByte);
    if (!params->valueToText(plugin, paramId, value, buffer.data(), capacity))
        return std::nullopt;
    const bool guardIntact =
        std::all_of(buffer.begin() + capacity, buffer.end(), [](char byte) { return byte == kUnwrittenByte; });
    const auto end = std::find(buffer.begin(), buffer.begin() + capacity, '\0');
    if (!guardIntact || end == buffer.begin() + capacity)
    {
        std::fprintf(stderr, "clap host kit: value_to_text of parameter %u broke its %u-byte buffer\n",
                     static_cast<unsigned>(paramId), static_cast<unsigned>(capacity));
        return std::nullopt;
    }
    return std::string(buffer.begin(), end);
}

std::optional<double> ClapPluginInstance::textToValue(clap::Id paramId, const std::string& text) const
{
    const auto* params = extension<clap::PluginParams>(clap::kExtParams);
    double value = 0.0;
    if (params == nullptr || !params->textToValue(plugin, paramId, text.c_str(), &value))
        return std::nullopt;
    return value;
}

std::optional<std::vector<unsigned char>> ClapPluginInstance::saveState(std::size_t pieceSize) const
{
    const auto* state = extension<clap::PluginState>(clap::kExtState);
    ClapMemoryWriter writer(pieceSize);
    if (state == nullptr || !state->save(plugin, writer.stream()))
        return std::nullopt;
    return writer.bytes();
}

bool ClapPluginInstance::loadState(const std::vector<unsigned char>& bytes, std::size_t pieceSize)
{
    ClapMemoryReader reader(bytes, pieceSize);
    return loadState(reader);
}

bool ClapPluginInstance::loadState(ClapMemoryReader& reader)
{
    const auto* state = extension<clap::PluginState>(clap::kExtState);
    return state != nullptr && state->load(plugin, reader.stream());
}

std::optional<std::uint32_t> ClapPluginInstance::latency() const
{
    const auto* latencyExtension = extension<clap::PluginLatency>(clap::kExtLatency);
    if (latencyExtension == nullptr)
        return std::nullopt;
    return latencyExtension->get(plugin);
}

std::optional<std::uint32_t> ClapPluginInstance::tail() const
{
    const auto* tailExtension = extension<clap::PluginTail>(clap::kExtTail);
    if (tailExtension == nullptr)
        return std::nullopt;
    return tailExtension->get(plugin);
}

std::uint32_t ClapPluginInstance::audioPortCount(bool isInput) const
{
    const auto* ports = extension<clap::PluginAudioPorts>(clap::kExtAudioPorts);
    return ports != nullptr ? ports->count(plugin, isInput) : 0;
}

std::optional<clap::AudioPortInfo> ClapPluginInstance::audioPortInfo(std::uint32_t index, bool isInput) const
{
    const auto* ports = extension<clap::PluginAudioPorts>(clap::kExtAudioPorts);
    clap::AudioPortInfo info{};
    if (ports == nullptr || !ports->get(plugin, index, isInput, &info))
        return std::nullopt;
    return info;
}

const char* ClapPluginInstance::platformWindowApi()
{
#if defined(_WIN32)
    return clap::kWindowApiWin32;
#else
    return clap::kWindowApiX11;
#endif
}

bool ClapPluginInstance::guiIsApiSupported(const char* api, bool isFloating) const
{
    const auto* gui = extension<clap::PluginGui>(clap::kExtGui);
    return gui != nullptr && gui->isApiSupported(plugin, api, isFloating);
}

bool ClapPluginInstance::guiCreate()
{
    const auto* gui = extension<clap::PluginGui>(clap::kExtGui);
    guiCreated = gui != nullptr && gui->create(plugin, platformWindowApi(), false);
    return guiCreated;
}

bool ClapPluginInstance::guiSetScale(double scale)
{
    const auto* gui = extension<clap::PluginGui>(clap::kExtGui);
    return gui != nullptr && gui->setScale(plugin, scale);
}

std::optional<ClapGuiSize> ClapPluginInstance::guiSize() const
{
    const auto* gui = extension<clap::PluginGui>(clap::kExtGui);
    ClapGuiSize size{};
    if (gui == nullptr || !gui->getSize(plugin, &size.width, &size.height))
        return std::nullopt;
    return size;
}

bool ClapPluginInstance::guiSetParent(std::uintptr_t nativeWindow)
{
    const auto* gui = extension<clap::PluginGui>(clap::kExtGui);
    clap::Window window{};
    window.api = platformWindowApi();
#if defined(_WIN32)
    window.win32 = reinterpret_cast<void*>(nativeWindow);
#else
    window.x11 = static_cast<unsigned long>(nativeWindow);
#endif
    return gui != nullptr && gui->setParent(plugin, &window);
}

bool ClapPluginInstance::guiShow()
{
    const auto* gui = extension<clap::PluginGui>(clap::kExtGui);
    return gui != nullptr && gui->show(plugin);
}

bool ClapPluginInstance::guiHide()
{
    const auto* gui = extension<clap::PluginGui>(clap::kExtGui);
    return gui != nullptr && gui->hide(plugin);
}

void ClapPluginInstance::guiDestroy()
{
    const auto* gui = extension<clap::PluginGui>(clap::kExtGui);
    if (gui != nullptr)
        gui->destroy(plugin);
    guiCreated = false;
}

void ClapPluginInstance::pumpMainThread()
{
    clapHost.runRequestedCallback();
    clapHost.fireDueTimers();
    clapHost.pollFds(0);
    const int flushRequests = clapHost.flushRequests();
    if (flushRequests != flushRequestsServed && !processing)
    {
        flushRequestsServed = flushRequests;
        flushParams();
    }
}
