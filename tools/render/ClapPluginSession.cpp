#include "ClapPluginSession.h"

#include "RenderErrors.h"

#include <filesystem>

ClapPluginSession::ClapPluginSession(const std::string& modulePath, int rate, int blockSize)
    : sampleRate(rate), maxBlockSize(blockSize)
{
    if (!std::filesystem::exists(modulePath))
        throw RenderFailure(modulePath + ": no such plug-in module");
    module = std::make_unique<ClapModule>(modulePath);
    if (!module->loaded())
        throw RenderFailure(module->error() + " (is it a CLAP plug-in?)");
    const clap::PluginDescriptor* descriptor = module->descriptor(0);
    if (descriptor == nullptr || descriptor->id == nullptr)
        throw RenderFailure(modulePath + ": the module offers no plug-in");
    plugin = std::make_unique<ClapPluginInstance>(*module, descriptor->id);
    if (!plugin->created() || !plugin->init())
        throw RenderFailure(modulePath + ": " + descriptor->id + " would not start");
    if (plugin->audioPortCount(true) < 1 || plugin->audioPortCount(false) < 1)
        throw RenderFailure(modulePath + ": the plug-in has no audio input and output");
}

// The plug-in goes before its module.
ClapPluginSession::~ClapPluginSession()
{
    plugin.reset();
}

std::vector<ParameterInfo> ClapPluginSession::parameters() const
{
    std::vector<ParameterInfo> list;
    for (std::uint32_t i = 0; i < plugin->paramCount(); ++i)
    {
        if (const auto info = plugin->paramInfo(i))
        {
            const double value = plugin->paramValue(info->id).value_or(info->defaultValue);
            list.push_back({static_cast<int>(info->id), info->name, static_cast<float>(value)});
        }
    }
    return list;
}

void ClapPluginSession::setParameter(int index, float value)
{
    plugin->inputEvents().addParamValue(0, static_cast<clap::Id>(index), value);
    if (!plugin->isProcessing())
        plugin->flushParams();
}

void ClapPluginSession::scheduleParameter(int index, float value, int offset)
{
    plugin->inputEvents().addParamValue(static_cast<std::uint32_t>(offset), static_cast<clap::Id>(index), value);
}

bool ClapPluginSession::loadChunk(const std::vector<unsigned char>& bytes)
{
    return plugin->loadState(bytes);
}

std::vector<unsigned char> ClapPluginSession::saveChunk() const
{
    const auto state = plugin->saveState();
    if (!state)
        throw RenderFailure("the plug-in gave no state");
    return *state;
}

void ClapPluginSession::resume()
{
    if (plugin->isProcessing())
        return;
    if (!plugin->activate(sampleRate, 1, static_cast<std::uint32_t>(maxBlockSize)) || !plugin->startProcessing())
        throw RenderFailure("the plug-in would not start processing at " + std::to_string(sampleRate) + " Hz");
}

void ClapPluginSession::suspend()
{
    if (plugin->isProcessing())
        plugin->stopProcessing();
    if (plugin->isActive())
        plugin->deactivate();
}

int ClapPluginSession::latency() const
{
    return static_cast<int>(plugin->latency().value_or(0));
}

void ClapPluginSession::process(const float* left, const float* right, float* outLeft, float* outRight, int frames)
{
    const float* input[2] = {left, right};
    float* output[2] = {outLeft, outRight};
    plugin->process(input, output, static_cast<std::uint32_t>(frames));
}
