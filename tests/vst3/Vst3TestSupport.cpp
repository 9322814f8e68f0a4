#include "Vst3TestSupport.h"

#include "identity/EffectIdentity.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

struct LoadedBundle
{
    Vst3RunLoop loop;
    Vst3HostContext context{loop};
    Vst3Module module{vst3BundlePath(), context};
};

LoadedBundle& loadedBundle()
{
    static LoadedBundle bundle;
    return bundle;
}

}  // namespace

const std::string& vst3BundlePath()
{
    static const std::string path =
        std::getenv("VANTOR_VST3_BUNDLE") != nullptr ? std::getenv("VANTOR_VST3_BUNDLE") : "";
    return path;
}

const Vst3Module& vst3Module()
{
    return loadedBundle().module;
}

Vst3RunLoop& vst3RunLoop()
{
    return loadedBundle().loop;
}

vst3::Tuid effectClassId()
{
    return vst3::tuidFromSpelledBytes(kEffectIdentity.vst3ClassId);
}

std::unique_ptr<Vst3PluginInstance> createdEffect()
{
    auto effect = std::make_unique<Vst3PluginInstance>(vst3Module(), effectClassId());
    if (!effect->created() || effect->controller() == nullptr)
    {
        ADD_FAILURE() << "no effect: " << effect->error();
        return nullptr;
    }
    return effect;
}

void startProcessing(Vst3PluginInstance& effect, double sampleRate, std::int32_t maxBlock)
{
    Vst3StereoProcessData data;
    vst3::ProcessSetup setup = data.setup(sampleRate, maxBlock);
    ASSERT_EQ(effect.processor()->vtable->setupProcessing(effect.processor(), &setup), vst3::kResultOk);
    ASSERT_EQ(effect.component()->vtable->setActive(effect.component(), 1), vst3::kResultOk);
    ASSERT_EQ(effect.processor()->vtable->setProcessing(effect.processor(), 1), vst3::kResultOk);
}

std::unique_ptr<Vst3PluginInstance> processingEffect(double sampleRate, std::int32_t maxBlock)
{
    auto effect = createdEffect();
    if (effect == nullptr)
        return nullptr;
    startProcessing(*effect, sampleRate, maxBlock);
    return effect;
}

void processInBlocks(Vst3PluginInstance& effect, std::vector<float>& left, std::vector<float>& right,
                     std::size_t blockSize, const BlockChanges& beforeBlock)
{
    Vst3StereoProcessData data;
    for (std::size_t start = 0; start < left.size(); start += blockSize)
    {
        data.inputChanges().clear();
        if (beforeBlock)
            beforeBlock(data.inputChanges(), start);
        const auto frames = static_cast<std::int32_t>(std::min(blockSize, left.size() - start));
        float* channels[2] = {left.data() + start, right.data() + start};
        vst3::ProcessData& call = data.prepare(channels, channels, frames);
        ASSERT_EQ(effect.processor()->vtable->process(effect.processor(), &call), vst3::kResultOk);
    }
}

std::vector<unsigned char> savedState(Vst3PluginInstance& effect)
{
    Vst3MemoryStream stream;
    if (effect.component()->vtable->getState(effect.component(), stream.stream()) != vst3::kResultOk)
        return {};
    return stream.bytes();
}
