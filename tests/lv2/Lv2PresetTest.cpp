// The factory presets as LV2 hosts find them: pset:Presets of the plug-in in its bundle, each
// loading as exactly the program of its .fxp file and sounding as the VST 2.4 module with it.
#include "Lv2TestHost.h"
#include "support/PresetRenders.h"

#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/presets/presets.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace
{

constexpr std::size_t kFxpHeaderBytes = 60;
constexpr std::size_t kShapeOffset = 4 * sizeof(float);
constexpr double kRate = 44100.0;
constexpr std::size_t kBlock = 512;

// The program chunk of every factory preset file the build wrote, by name.
std::map<std::string, std::vector<unsigned char>> factoryChunks()
{
    std::map<std::string, std::vector<unsigned char>> chunks;
    const char* folder = std::getenv("VANTOR_PRESET_FOLDER");
    if (folder == nullptr)
        return chunks;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
    {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (bytes.size() > kFxpHeaderBytes)
            chunks[entry.path().stem().string()].assign(bytes.begin() + kFxpHeaderBytes, bytes.end());
    }
    return chunks;
}

StereoSignal material()
{
    // Partly shared, partly independent: the width stages have something to work on.
    StereoSignal signal = stereoNoise(static_cast<std::size_t>(kRate), 0.2f);
    const std::vector<float> shared = sine(signal.left.size(), 220.0, kRate, 0.3f);
    for (std::size_t i = 0; i < shared.size(); ++i)
    {
        signal.left[i] += shared[i];
        signal.right[i] += shared[i];
    }
    return signal;
}

bool shapes(const std::vector<unsigned char>& chunk)
{
    float shape = 0.0f;
    std::memcpy(&shape, chunk.data() + kShapeOffset, sizeof(shape));
    return shape != 0.0f;
}

}  // namespace

TEST(Lv2Presets, EveryFactoryPresetLoadsAsItsProgramAndSoundsAsTheVstModuleWithIt)
{
    Lv2BundleWorld& world = lv2Bundle();
    ASSERT_NE(world.plugin(), nullptr);
    const auto chunks = factoryChunks();
    ASSERT_GE(chunks.size(), 12u);

    LilvNodes* presets = lilv_plugin_get_related(world.plugin(), world.uri(LV2_PRESETS__Preset));
    ASSERT_NE(presets, nullptr);
    EXPECT_EQ(lilv_nodes_size(presets), chunks.size());
    std::vector<std::string> loaded;
    LILV_FOREACH(nodes, i, presets)
    {
        const LilvNode* preset = lilv_nodes_get(presets, i);
        lilv_world_load_resource(world.world(), preset);
        LilvState* state = lilv_state_new_from_world(world.world(), world.urids().mapFeature(), preset);
        ASSERT_NE(state, nullptr) << lilv_node_as_uri(preset);
        const std::string label = lilv_state_get_label(state) != nullptr ? lilv_state_get_label(state) : "";
        SCOPED_TRACE(label);
        const auto chunk = chunks.find(label);
        ASSERT_NE(chunk, chunks.end()) << "no .fxp file for this preset";
        loaded.push_back(label);

        Lv2Instance plugin(kRate);
        ASSERT_TRUE(plugin.created());
        plugin.restore(state);
        lilv_state_free(state);
        StereoSignal signal = material();
        plugin.render(signal, {kBlock});
        EXPECT_EQ(plugin.savedChunk(), chunk->second);
        const StereoSignal vst = renderedByVst(chunk->second, material(), static_cast<float>(kRate));
        EXPECT_TRUE(soundsTheSame(signal.left, vst.left, shapes(chunk->second)));
        EXPECT_TRUE(soundsTheSame(signal.right, vst.right, shapes(chunk->second)));
    }
    lilv_nodes_free(presets);
    std::sort(loaded.begin(), loaded.end());
    EXPECT_EQ(std::adjacent_find(loaded.begin(), loaded.end()), loaded.end()) << "two presets of one name";
}
