// State as a VST3 host saves and loads it: exactly the VST 2.4 program chunk, so a setting
// travels between the formats; the controller follows a loaded state, and no load calls back
// into the host; nothing but a whole chunk is ever taken.
#include "Vst3TestSupport.h"
#include "host/PluginHost.h"
#include "support/RefusedStates.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct Setting
{
    vst3::ParamId id;
    float value;
};
constexpr Setting kSetting[] = {{1, 0.85f}, {2, 0.7f}, {3, 0.4f}, {5, 0.62f}, {12, 0.3f}, {39, 0.8f}};

void applyToVst(const EffectInstance& vst)
{
    for (const Setting& setting : kSetting)
        vst.setParameter(static_cast<VstInt32>(setting.id), setting.value);
}

void applyToVst3(Vst3PluginInstance& effect)
{
    vst3::IEditController* controller = effect.controller();
    for (const Setting& setting : kSetting)
        ASSERT_EQ(controller->vtable->setParamNormalized(controller, setting.id, setting.value), vst3::kResultOk);
}

vst3::tresult loadState(Vst3PluginInstance& effect, const std::vector<unsigned char>& bytes)
{
    Vst3MemoryStream stream(bytes);
    return effect.setState(stream.stream());
}

vst3::tresult loadComponentState(Vst3PluginInstance& effect, const std::vector<unsigned char>& bytes)
{
    Vst3MemoryStream stream(bytes);
    return effect.setComponentState(stream.stream());
}

void expectSettingValues(Vst3PluginInstance& effect)
{
    vst3::IEditController* controller = effect.controller();
    for (const Setting& setting : kSetting)
        EXPECT_EQ(controller->vtable->getParamNormalized(controller, setting.id), static_cast<double>(setting.value))
            << setting.id;
}

}  // namespace

TEST(Vst3State, SavesExactlyTheVstProgramChunk)
{
    EffectInstance vst;
    applyToVst(vst);
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    applyToVst3(*effect);
    const std::vector<unsigned char> chunk = vst.chunk(true);
    ASSERT_EQ(chunk.size(), 2724u);
    EXPECT_EQ(savedState(*effect), chunk);
    Vst3MemoryStream failing;
    failing.failAfter(1000);
    EXPECT_NE(effect->component()->vtable->getState(effect->component(), failing.stream()), vst3::kResultOk);
    // The controller keeps nothing of its own.
    Vst3MemoryStream controllerState;
    EXPECT_EQ(effect->controller()->vtable->getState(effect->controller(), controllerState.stream()), vst3::kResultOk);
    EXPECT_TRUE(controllerState.bytes().empty());
}

TEST(Vst3State, AVstChunkLoadedAsStateGivesTheSameValuesAndSound)
{
    EffectInstance vst;
    applyToVst(vst);
    const std::vector<unsigned char> chunk = vst.chunk(true);
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(loadState(*effect, chunk), vst3::kResultOk);
    expectSettingValues(*effect);
    // The controller's values are the effect's: nothing for the host to read again, and a call
    // back from inside the load would wait for good on the lock a host such as Ardour holds.
    EXPECT_EQ(effect->componentHandler().reentrantCalls(), std::vector<std::string>{});
    EXPECT_EQ(savedState(*effect), chunk);

    StereoSignal vstSignal = stereoNoise(3 * 44100, 0.3f);
    StereoSignal vst3Signal = vstSignal;
    vst.resumeAt(44100.0f, 512);
    vst.process(vstSignal.left, vstSignal.right);
    startProcessing(*effect, 44100.0, 512);
    processInBlocks(*effect, vst3Signal.left, vst3Signal.right, 512);
    EXPECT_TRUE(sameBits(vst3Signal.left, vstSignal.left));
    EXPECT_TRUE(sameBits(vst3Signal.right, vstSignal.right));
    EXPECT_EQ(effect->componentHandler().misuses(), 0);
}

TEST(Vst3State, TheControllerFollowsTheComponentStateItIsGiven)
{
    EffectInstance vst;
    applyToVst(vst);
    const std::vector<unsigned char> chunk = vst.chunk(true);
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(loadComponentState(*effect, chunk), vst3::kResultOk);
    expectSettingValues(*effect);
    EXPECT_EQ(savedState(*effect), chunk);
    // The usual order: the component loads, then the controller gets the same bytes.
    auto second = createdEffect();
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(loadState(*second, chunk), vst3::kResultOk);
    ASSERT_EQ(loadComponentState(*second, chunk), vst3::kResultOk);
    expectSettingValues(*second);
    EXPECT_EQ(second->componentHandler().reentrantCalls(), std::vector<std::string>{});
}

TEST(Vst3State, AnythingButOneWholeChunkIsRefusedWithNothingChanged)
{
    EffectInstance vst;
    applyToVst(vst);
    const std::vector<unsigned char> chunk = vst.chunk(true);
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    const std::vector<unsigned char> before = savedState(*effect);
    ASSERT_EQ(before.size(), chunk.size());
    ASSERT_NE(before, chunk);

    const std::vector<std::vector<unsigned char>> refused = statesToRefuse(chunk, vst.chunk(false), 11);
    for (const auto& bytes : refused)
    {
        EXPECT_NE(loadState(*effect, bytes), vst3::kResultOk) << bytes.size() << " bytes";
        EXPECT_NE(loadComponentState(*effect, bytes), vst3::kResultOk) << bytes.size() << " bytes";
        EXPECT_EQ(savedState(*effect), before) << bytes.size() << " bytes";
    }
    Vst3MemoryStream breaking(chunk);
    breaking.failAfter(2048);
    EXPECT_NE(effect->setState(breaking.stream()), vst3::kResultOk);
    EXPECT_EQ(savedState(*effect), before);
    EXPECT_NE(effect->setState(nullptr), vst3::kResultOk);
    EXPECT_TRUE(effect->componentHandler().restartRequests().empty());
    EXPECT_EQ(effect->componentHandler().misuses(), 0);
}
