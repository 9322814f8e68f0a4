#include "ClapTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

const ClapModule& clapModule()
{
    static const ClapModule module(std::getenv("VANTOR_CLAP_MODULE") != nullptr ? std::getenv("VANTOR_CLAP_MODULE")
                                                                                : "");
    return module;
}

std::unique_ptr<ClapPluginInstance> initialisedPlugin()
{
    auto plugin = std::make_unique<ClapPluginInstance>(clapModule(), kClapPluginId);
    if (!plugin->created())
    {
        ADD_FAILURE() << plugin->error();
        return nullptr;
    }
    if (!plugin->init())
    {
        ADD_FAILURE() << "init refused";
        return nullptr;
    }
    return plugin;
}

std::unique_ptr<ClapPluginInstance> processingPlugin(double sampleRate, std::uint32_t maxFrames)
{
    auto plugin = initialisedPlugin();
    if (plugin == nullptr)
        return nullptr;
    if (!plugin->activate(sampleRate, 1, maxFrames) || !plugin->startProcessing())
    {
        ADD_FAILURE() << "activate or start_processing refused at " << sampleRate << " Hz";
        return nullptr;
    }
    return plugin;
}

void processInBlocks(ClapPluginInstance& plugin, std::vector<float>& left, std::vector<float>& right,
                     std::size_t blockSize, const std::function<void(ClapPluginInstance&, std::size_t)>& beforeBlock)
{
    for (std::size_t start = 0; start < left.size(); start += blockSize)
    {
        if (beforeBlock)
            beforeBlock(plugin, start);
        const auto frames = static_cast<std::uint32_t>(std::min(blockSize, left.size() - start));
        float* channels[2] = {left.data() + start, right.data() + start};
        ASSERT_EQ(plugin.process(channels, channels, frames), clap::kProcessContinue);
    }
}
