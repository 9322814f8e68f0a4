// The LV2 bundle as an LV2 host runs it through lilv: values written to the control ports in
// their units, taken by the next run call (a change goes before the run of its block), the
// program chunk as the state extension's one property, factory presets as the bundle's
// pset:Presets. An instance keeps the rate it was made at.
#include "ModuleUnderTest.h"
#include "lv2/Lv2TestHost.h"

#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/presets/presets.h>

#include <cstring>
#include <limits>

namespace
{

constexpr std::size_t kSettlingRun = 512;
// The program chunk opens with the parameters' normalised values, in their order.
constexpr std::uint32_t kParameters = 42;

using PresetState = std::unique_ptr<LilvState, decltype(&lilv_state_free)>;

// The bundle's presets, each with the label hosts show.
std::vector<std::pair<std::string, PresetState>> bundlePresets()
{
    Lv2BundleWorld& world = lv2Bundle();
    std::vector<std::pair<std::string, PresetState>> presets;
    LilvNodes* related = lilv_plugin_get_related(world.plugin(), world.uri(LV2_PRESETS__Preset));
    LILV_FOREACH(nodes, i, related)
    {
        const LilvNode* preset = lilv_nodes_get(related, i);
        lilv_world_load_resource(world.world(), preset);
        LilvState* state = lilv_state_new_from_world(world.world(), world.urids().mapFeature(), preset);
        EXPECT_NE(state, nullptr) << lilv_node_as_uri(preset);
        if (state != nullptr)
            presets.emplace_back(lilv_state_get_label(state) != nullptr ? lilv_state_get_label(state) : "",
                                 PresetState(state, lilv_state_free));
    }
    lilv_nodes_free(related);
    return presets;
}

class Lv2UnderTest : public ModuleUnderTest
{
public:
    explicit Lv2UnderTest(double sampleRate) : plugin(sampleRate), rate(sampleRate) {}

    bool created() const { return plugin.created(); }

    // Ports are read by a run, so one follows, on silence.
    void setValues(const std::vector<Setting>& settings) override
    {
        for (const Setting& setting : settings)
            plugin.setValue(setting.id, setting.value);
        StereoSignal silence{std::vector<float>(kSettlingRun), std::vector<float>(kSettlingRun)};
        plugin.render(silence, {kSettlingRun});
    }
    // LV2 hosts read no values back from a plug-in's input ports: what the effect holds is
    // the program its state saves.
    double value(std::uint32_t id) override
    {
        const std::optional<std::vector<unsigned char>> state = saveState();
        float value = std::numeric_limits<float>::quiet_NaN();
        if (state && id < kParameters && state->size() >= kParameters * sizeof(float))
            std::memcpy(&value, state->data() + id * sizeof(float), sizeof(value));
        return value;
    }
    std::optional<std::vector<unsigned char>> saveState() override
    {
        std::vector<unsigned char> chunk;
        if (plugin.saveChunk(chunk) != LV2_STATE_SUCCESS)
            return std::nullopt;
        return chunk;
    }
    bool loadState(const std::vector<unsigned char>& bytes) override
    {
        Lv2UridMap& urids = lv2Bundle().urids();
        return restoreOffered(plugin, {urids.map(kLv2ProgramKey), urids.map(LV2_ATOM__Chunk), bytes}) ==
               LV2_STATE_SUCCESS;
    }

    std::vector<std::string> factoryPresetNames() override
    {
        std::vector<std::string> names;
        for (const auto& preset : bundlePresets())
            names.push_back(preset.first);
        return names;
    }
    // As hosts restore a preset: the state extension first, then the port values.
    bool loadFactoryPreset(const std::string& name) override
    {
        for (const auto& [label, state] : bundlePresets())
        {
            if (label == name)
            {
                plugin.restore(state.get());
                return true;
            }
        }
        return false;
    }

    // Made activated, at its rate.
    void start(std::size_t) override {}
    void restartAt(double sampleRate, std::size_t) override
    {
        ASSERT_EQ(sampleRate, rate) << "an LV2 instance keeps its rate";
        lilv_instance_deactivate(plugin.lilvInstance());
        lilv_instance_activate(plugin.lilvInstance());
    }
    std::uint32_t latency() override { return static_cast<std::uint32_t>(plugin.reportedLatency()); }
    void process(StereoSignal& signal, std::size_t blockSize, const std::vector<BlockChange>& changes) override
    {
        // Named, so that they are gone only after the watch ends.
        const std::vector<std::size_t> blockLengths = {blockSize};
        const std::function<void(Lv2Instance&, std::size_t)> beforeBlock = [&](Lv2Instance& instance, std::size_t block)
        {
            pluginCallsFollow(false);
            for (const BlockChange& change : changes)
            {
                if (change.block == block)
                    instance.setValue(change.id, change.value);
            }
            pluginCallsFollow(true);
        };
        plugin.render(signal, blockLengths, beforeBlock);
        pluginCallsFollow(false);
    }

private:
    Lv2Instance plugin;
    double rate;
};

}  // namespace

std::unique_ptr<ModuleUnderTest> makeLv2Module(double sampleRate)
{
    auto module = std::make_unique<Lv2UnderTest>(sampleRate);
    if (module->created())
        return module;
    ADD_FAILURE() << "no LV2 instance at " << sampleRate << " Hz";
    return nullptr;
}
