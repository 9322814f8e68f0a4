// State as a CLAP host saves and loads it: exactly the VST 2.4 program chunk, so a setting
// travels between the formats, and nothing but a whole chunk is ever taken.
#include "ClapTestSupport.h"
#include "host/PluginHost.h"
#include "support/RefusedStates.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

namespace
{

struct Setting
{
    clap::Id id;
    float value;
};
constexpr Setting kSetting[] = {{1, 0.85f}, {2, 0.7f}, {3, 0.4f}, {5, 0.62f}, {12, 0.3f}, {39, 0.8f}};

void applyToVst(const EffectInstance& vst)
{
    for (const Setting& setting : kSetting)
        vst.setParameter(static_cast<VstInt32>(setting.id), setting.value);
}

// Values given the way a host does while the plug-in is not active: a flush.
void applyToClap(ClapPluginInstance& plugin)
{
    for (const Setting& setting : kSetting)
        plugin.inputEvents().addParamValue(0, setting.id, setting.value);
    ASSERT_TRUE(plugin.flushParams());
}

}  // namespace

TEST(ClapState, SavesExactlyTheVstProgramChunkInAnyPieceSize)
{
    EffectInstance vst;
    applyToVst(vst);
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    applyToClap(*plugin);
    const std::vector<unsigned char> chunk = vst.chunk(true);
    ASSERT_EQ(chunk.size(), 2724u);
    EXPECT_EQ(plugin->saveState(), chunk);
    EXPECT_EQ(plugin->saveState(7), chunk);
    ClapMemoryWriter failing;
    failing.failAfter(1000);
    const auto* state = plugin->extension<clap::PluginState>(clap::kExtState);
    ASSERT_NE(state, nullptr);
    EXPECT_FALSE(state->save(plugin->raw(), failing.stream()));
}

TEST(ClapState, AVstChunkLoadedAsStateGivesTheSameValuesAndSound)
{
    EffectInstance vst;
    applyToVst(vst);
    const std::vector<unsigned char> chunk = vst.chunk(true);
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    ASSERT_TRUE(plugin->loadState(chunk, 100));
    EXPECT_FALSE(plugin->host().paramRescans().empty());
    for (const Setting& setting : kSetting)
        EXPECT_EQ(plugin->paramValue(setting.id), static_cast<double>(setting.value)) << setting.id;
    EXPECT_EQ(plugin->saveState(), chunk);

    StereoSignal vstSignal = stereoNoise(3 * 44100, 0.3f);
    StereoSignal clapSignal = vstSignal;
    vst.resumeAt(44100.0f, 512);
    vst.process(vstSignal.left, vstSignal.right);
    ASSERT_TRUE(plugin->activate(44100.0, 1, 512) && plugin->startProcessing());
    processInBlocks(*plugin, clapSignal.left, clapSignal.right, 512);
    EXPECT_TRUE(sameBits(clapSignal.left, vstSignal.left));
    EXPECT_TRUE(sameBits(clapSignal.right, vstSignal.right));
}

TEST(ClapState, AnythingButOneWholeChunkIsRefusedWithNothingChanged)
{
    EffectInstance vst;
    applyToVst(vst);
    const std::vector<unsigned char> chunk = vst.chunk(true);
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    const auto before = plugin->saveState();
    ASSERT_TRUE(before);
    ASSERT_NE(*before, chunk);

    const std::vector<std::vector<unsigned char>> refused = statesToRefuse(chunk, vst.chunk(false), 7);
    for (const auto& bytes : refused)
    {
        EXPECT_FALSE(plugin->loadState(bytes, 64)) << bytes.size() << " bytes";
        EXPECT_EQ(plugin->saveState(), before) << bytes.size() << " bytes";
    }
    ClapMemoryReader breaking(chunk, 512);
    breaking.failAfter(2048);
    EXPECT_FALSE(plugin->loadState(breaking));
    EXPECT_EQ(plugin->saveState(), before);
    EXPECT_TRUE(plugin->host().paramRescans().empty());
    EXPECT_EQ(plugin->host().misuses(), 0);
}
