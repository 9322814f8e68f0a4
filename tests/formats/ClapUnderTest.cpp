// The CLAP module as a CLAP host drives it: values as events flushed while inactive and as
// events at their sample while processing, the state through the state extension handed in
// pieces, factory presets by their key. The host must never have seen a misuse.
#include "ModuleUnderTest.h"
#include "clap/ClapPresetIndex.h"
#include "clap/ClapTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{

// A host's stream may hand the state over in short reads.
constexpr std::size_t kLoadPieceSize = 100;

class ClapUnderTest : public ModuleUnderTest
{
public:
    ClapUnderTest(std::unique_ptr<ClapPluginInstance> instance, double sampleRate)
        : plugin(std::move(instance)), rate(sampleRate)
    {
    }
    ~ClapUnderTest() override { EXPECT_EQ(plugin->host().misuses(), 0); }

    void setValues(const std::vector<Setting>& settings) override
    {
        for (const Setting& setting : settings)
            plugin->inputEvents().addParamValue(0, setting.id, setting.value);
        EXPECT_TRUE(plugin->flushParams());
    }
    double value(std::uint32_t id) override
    {
        return plugin->paramValue(id).value_or(std::numeric_limits<double>::quiet_NaN());
    }
    std::optional<std::vector<unsigned char>> saveState() override { return plugin->saveState(); }
    // The host hears that the values changed exactly when a state was taken.
    bool loadState(const std::vector<unsigned char>& bytes) override
    {
        const std::size_t rescans = plugin->host().paramRescans().size();
        const bool loaded = plugin->loadState(bytes, kLoadPieceSize);
        EXPECT_EQ(plugin->host().paramRescans().size(), loaded ? rescans + 1 : rescans);
        return loaded;
    }

    std::vector<std::string> factoryPresetNames() override { return listedFactoryPresets(); }
    bool loadFactoryPreset(const std::string& name) override
    {
        const auto* presetLoad = plugin->extension<clap::PluginPresetLoad>(clap::kExtPresetLoad);
        return presetLoad != nullptr &&
               presetLoad->fromLocation(plugin->raw(), clap::kPresetLocationPlugin, nullptr, name.c_str());
    }

    void start(std::size_t maxBlock) override
    {
        ASSERT_TRUE(plugin->activate(rate, 1, static_cast<std::uint32_t>(maxBlock)));
        ASSERT_TRUE(plugin->startProcessing());
    }
    void restartAt(double sampleRate, std::size_t maxBlock) override
    {
        plugin->stopProcessing();
        plugin->deactivate();
        rate = sampleRate;
        start(maxBlock);
    }
    std::uint32_t latency() override
    {
        EXPECT_TRUE(plugin->latency().has_value());
        return plugin->latency().value_or(0);
    }
    void process(StereoSignal& signal, std::size_t blockSize, const std::vector<BlockChange>& changes) override
    {
        // Named, so that it is gone only after the watch ends.
        const std::function<void(ClapPluginInstance&, std::size_t)> beforeBlock =
            [&](ClapPluginInstance& instance, std::size_t start)
        {
            pluginCallsFollow(false);
            for (const BlockChange& change : changes)
            {
                if (change.block == start / blockSize)
                    instance.inputEvents().addParamValue(change.offset, change.id, change.value);
            }
            pluginCallsFollow(true);
        };
        processInBlocks(*plugin, signal.left, signal.right, blockSize, beforeBlock);
        pluginCallsFollow(false);
    }

private:
    std::unique_ptr<ClapPluginInstance> plugin;
    double rate;
};

}  // namespace

std::unique_ptr<ModuleUnderTest> makeClapModule(double sampleRate)
{
    auto plugin = initialisedPlugin();
    return plugin != nullptr ? std::make_unique<ClapUnderTest>(std::move(plugin), sampleRate) : nullptr;
}
