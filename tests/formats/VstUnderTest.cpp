// The VST 2.4 module as a VST 2.4 host drives it: values through setParameter, the program
// chunk as the state, a change between the blocks (hosts split their blocks themselves for
// anything finer).
#include "ModuleUnderTest.h"
#include "host/PluginHost.h"

#include <gtest/gtest.h>

namespace
{

class VstUnderTest : public ModuleUnderTest
{
public:
    explicit VstUnderTest(double sampleRate) : rate(sampleRate) {}

    bool created() const { return vst.effect() != nullptr; }

    void setValues(const std::vector<Setting>& settings) override
    {
        for (const Setting& setting : settings)
            vst.setParameter(static_cast<VstInt32>(setting.id), setting.value);
    }
    double value(std::uint32_t id) override { return vst.getParameter(static_cast<VstInt32>(id)); }
    std::optional<std::vector<unsigned char>> saveState() override { return vst.chunk(true); }
    bool loadState(const std::vector<unsigned char>& bytes) override { return vst.restore(bytes, true) != 0; }

    // VST 2.4 hosts read the program files themselves and load their chunks as above.
    std::vector<std::string> factoryPresetNames() override { return {}; }
    bool loadFactoryPreset(const std::string&) override { return false; }

    void start(std::size_t maxBlock) override { vst.resumeAt(static_cast<float>(rate), static_cast<VstInt32>(maxBlock)); }
    void restartAt(double sampleRate, std::size_t maxBlock) override
    {
        rate = sampleRate;
        start(maxBlock);
    }
    std::uint32_t latency() override { return static_cast<std::uint32_t>(vst.effect()->initialDelay); }
    // The cases give it changes at block starts only: as a VST 2.4 host sets them between blocks.
    void process(StereoSignal& signal, std::size_t blockSize, const std::vector<BlockChange>& changes) override
    {
        pluginCallsFollow(true);
        processSplitting(vst, signal, changes, blockSize);
        pluginCallsFollow(false);
    }

private:
    EffectInstance vst;
    double rate;
};

}  // namespace

std::unique_ptr<ModuleUnderTest> makeVstModule(double sampleRate)
{
    auto module = std::make_unique<VstUnderTest>(sampleRate);
    if (module->created())
        return module;
    ADD_FAILURE() << "no effect from " << PluginModule::shared().path() << ": " << PluginModule::shared().error();
    return nullptr;
}
