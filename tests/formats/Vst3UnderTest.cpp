// The VST3 module as a VST3 host drives it: values through the controller while nothing
// processes and as points at their sample in the process call, the component's state loaded
// into the component and then the controller, factory presets as the bundle's .vstpreset
// files. Nothing may call back into the host from inside a host call, and the host must never
// have seen a misuse.
#include "ModuleUnderTest.h"
#include "vst3/Vst3TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{

std::filesystem::path bundlePresetFolder()
{
    return std::filesystem::path(vst3BundlePath()) / "Contents" / "Resources" / "Presets";
}

std::uint64_t littleEndian(const std::vector<unsigned char>& bytes, std::size_t offset, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}

// The component state of a .vstpreset file, found as a host finds it: through the chunk
// list the header points at.
std::vector<unsigned char> componentStateOf(const std::vector<unsigned char>& preset)
{
    const std::uint64_t list = littleEndian(preset, 40, 8);
    const std::uint64_t entries = littleEndian(preset, list + 4, 4);
    for (std::uint64_t i = 0; i < entries; ++i)
    {
        const std::size_t entry = list + 8 + i * 20;
        if (std::string(preset.begin() + entry, preset.begin() + entry + 4) != "Comp")
            continue;
        const std::uint64_t offset = littleEndian(preset, entry + 4, 8);
        const std::uint64_t size = littleEndian(preset, entry + 12, 8);
        return {preset.begin() + offset, preset.begin() + offset + size};
    }
    return {};
}

class Vst3UnderTest : public ModuleUnderTest
{
public:
    Vst3UnderTest(std::unique_ptr<Vst3PluginInstance> instance, double sampleRate)
        : effect(std::move(instance)), rate(sampleRate)
    {
    }
    ~Vst3UnderTest() override
    {
        EXPECT_EQ(effect->componentHandler().misuses(), 0);
        EXPECT_EQ(effect->componentHandler().reentrantCalls(), std::vector<std::string>{});
    }

    void setValues(const std::vector<Setting>& settings) override
    {
        vst3::IEditController* controller = effect->controller();
        for (const Setting& setting : settings)
            EXPECT_EQ(controller->vtable->setParamNormalized(controller, setting.id, setting.value), vst3::kResultOk);
    }
    double value(std::uint32_t id) override
    {
        return effect->controller()->vtable->getParamNormalized(effect->controller(), id);
    }
    std::optional<std::vector<unsigned char>> saveState() override
    {
        Vst3MemoryStream stream;
        if (effect->component()->vtable->getState(effect->component(), stream.stream()) != vst3::kResultOk)
            return std::nullopt;
        return stream.bytes();
    }
    // Both parts take the bytes or both refuse them, and a refusal asks the host for nothing.
    bool loadState(const std::vector<unsigned char>& bytes) override
    {
        const std::size_t restarts = effect->componentHandler().restartRequests().size();
        Vst3MemoryStream forComponent(bytes);
        const bool loaded = effect->setState(forComponent.stream()) == vst3::kResultOk;
        Vst3MemoryStream forController(bytes);
        EXPECT_EQ(effect->setComponentState(forController.stream()) == vst3::kResultOk, loaded);
        if (!loaded)
        {
            EXPECT_EQ(effect->componentHandler().restartRequests().size(), restarts);
        }
        return loaded;
    }

    std::vector<std::string> factoryPresetNames() override
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(bundlePresetFolder()))
        {
            EXPECT_EQ(entry.path().extension(), ".vstpreset");
            names.push_back(entry.path().stem().string());
        }
        return names;
    }
    bool loadFactoryPreset(const std::string& name) override
    {
        std::ifstream file(bundlePresetFolder() / (name + ".vstpreset"), std::ios::binary);
        const std::vector<unsigned char> preset{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        return !preset.empty() && loadState(componentStateOf(preset));
    }

    void start(std::size_t maxBlock) override { startProcessing(*effect, rate, static_cast<std::int32_t>(maxBlock)); }
    // A host that keeps the rate only switches the effect off and on again.
    void restartAt(double sampleRate, std::size_t maxBlock) override
    {
        vst3::IComponent* component = effect->component();
        vst3::IAudioProcessor* processor = effect->processor();
        ASSERT_EQ(processor->vtable->setProcessing(processor, 0), vst3::kResultOk);
        ASSERT_EQ(component->vtable->setActive(component, 0), vst3::kResultOk);
        if (sampleRate != rate)
        {
            rate = sampleRate;
            start(maxBlock);
            return;
        }
        ASSERT_EQ(component->vtable->setActive(component, 1), vst3::kResultOk);
        ASSERT_EQ(processor->vtable->setProcessing(processor, 1), vst3::kResultOk);
    }
    std::uint32_t latency() override { return effect->processor()->vtable->getLatencySamples(effect->processor()); }
    void process(StereoSignal& signal, std::size_t blockSize, const std::vector<BlockChange>& changes) override
    {
        for (std::size_t start = 0; start < signal.left.size(); start += blockSize)
        {
            data.inputChanges().clear();
            for (const BlockChange& change : changes)
            {
                if (change.block == start / blockSize)
                {
                    EXPECT_TRUE(data.inputChanges().addPoint(change.id, static_cast<std::int32_t>(change.offset),
                                                             change.value));
                }
            }
            const auto frames = static_cast<std::int32_t>(std::min(blockSize, signal.left.size() - start));
            float* channels[2] = {signal.left.data() + start, signal.right.data() + start};
            vst3::ProcessData& call = data.prepare(channels, channels, frames);
            pluginCallsFollow(true);
            const vst3::tresult result = effect->processor()->vtable->process(effect->processor(), &call);
            pluginCallsFollow(false);
            ASSERT_EQ(result, vst3::kResultOk);
        }
    }

private:
    std::unique_ptr<Vst3PluginInstance> effect;
    // Made once, as a host's own buffers are: nothing of the host's is made or freed in a block.
    Vst3StereoProcessData data;
    double rate;
};

}  // namespace

std::unique_ptr<ModuleUnderTest> makeVst3Module(double sampleRate)
{
    auto effect = createdEffect();
    return effect != nullptr ? std::make_unique<Vst3UnderTest>(std::move(effect), sampleRate) : nullptr;
}
