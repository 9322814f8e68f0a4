// State as only VST3 has it (what the state holds, and the usual order of loading the
// component and then the controller, every format's suite checks in tests/formats): the
// controller alone follows the component state it is given and keeps none of its own, no load
// calls back into the host, and a stream that fails saves or loads nothing.
#include "Vst3TestSupport.h"
#include "host/PluginHost.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace
{

constexpr std::pair<vst3::ParamId, float> kSetting[] = {{1, 0.85f}, {2, 0.7f},  {3, 0.4f},
                                                        {5, 0.62f}, {12, 0.3f}, {39, 0.8f}};

std::vector<unsigned char> vstChunkOfTheSetting()
{
    EffectInstance vst;
    for (const auto& [id, value] : kSetting)
        vst.setParameter(static_cast<VstInt32>(id), value);
    return vst.chunk(true);
}

}  // namespace

TEST(Vst3State, TheControllerFollowsTheComponentStateItIsGiven)
{
    const std::vector<unsigned char> chunk = vstChunkOfTheSetting();
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    Vst3MemoryStream stream(chunk);
    ASSERT_EQ(effect->setComponentState(stream.stream()), vst3::kResultOk);
    vst3::IEditController* controller = effect->controller();
    for (const auto& [id, value] : kSetting)
        EXPECT_EQ(controller->vtable->getParamNormalized(controller, id), static_cast<double>(value)) << id;
    EXPECT_EQ(savedState(*effect), chunk);
    EXPECT_EQ(effect->componentHandler().reentrantCalls(), std::vector<std::string>{});
}

TEST(Vst3State, TheControllerKeepsNothingAndAFailingStreamSavesOrLoadsNothing)
{
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    Vst3MemoryStream controllerState;
    EXPECT_EQ(effect->controller()->vtable->getState(effect->controller(), controllerState.stream()), vst3::kResultOk);
    EXPECT_TRUE(controllerState.bytes().empty());
    Vst3MemoryStream failing;
    failing.failAfter(1000);
    EXPECT_NE(effect->component()->vtable->getState(effect->component(), failing.stream()), vst3::kResultOk);

    const std::vector<unsigned char> before = savedState(*effect);
    Vst3MemoryStream breaking(vstChunkOfTheSetting());
    breaking.failAfter(2048);
    EXPECT_NE(effect->setState(breaking.stream()), vst3::kResultOk);
    EXPECT_NE(effect->setState(nullptr), vst3::kResultOk);
    EXPECT_EQ(savedState(*effect), before);
    EXPECT_TRUE(effect->componentHandler().restartRequests().empty());
    EXPECT_EQ(effect->componentHandler().misuses(), 0);
}
