// The parameters as a VST3 host lists, reads and writes them: ids, titles, defaults and
// texts as the VST 2.4 module gives them, flags, and values that stay within 0..1.
#include "Vst3TestSupport.h"
#include "host/PluginHost.h"
#include "support/TestSignals.h"
#include "vst3/Vst3Strings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{

std::string title(const vst3::String128& field)
{
    return vst3::utf16ToAscii(field, vst3::kString128Size);
}

std::string valueText(vst3::IEditController* controller, vst3::ParamId id, vst3::ParamValue value)
{
    vst3::String128 text{};
    if (controller->vtable->getParamStringByValue(controller, id, value, text) != vst3::kResultOk)
        return "(refused)";
    return title(text);
}

bool valueOf(vst3::IEditController* controller, vst3::ParamId id, const std::string& text, vst3::ParamValue& value)
{
    vst3::String128 field{};
    vst3::copyAsciiToUtf16(text.c_str(), field, vst3::kString128Size);
    return controller->vtable->getParamValueByString(controller, id, field, &value) == vst3::kResultOk;
}

}  // namespace

TEST(Vst3Parameters, ListedAsTheVstModuleNamesThemWithTheirDefaultsStepsAndFlags)
{
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    vst3::IEditController* controller = effect->controller();
    EffectInstance vst;
    ASSERT_NE(vst.effect(), nullptr);
    // The VST 2.4 module's parameters, then the factory program change.
    ASSERT_EQ(controller->vtable->getParameterCount(controller), vst.effect()->numParams + 1);
    ASSERT_EQ(controller->vtable->getParameterCount(controller), 43);
    vst3::ParameterInfo info{};
    EXPECT_NE(controller->vtable->getParameterInfo(controller, 43, &info), vst3::kResultOk);
    EXPECT_NE(controller->vtable->getParameterInfo(controller, -1, &info), vst3::kResultOk);
    for (std::int32_t index = 0; index < 42; ++index)
    {
        SCOPED_TRACE("parameter " + std::to_string(index));
        ASSERT_EQ(controller->vtable->getParameterInfo(controller, index, &info), vst3::kResultOk);
        EXPECT_EQ(info.id, static_cast<vst3::ParamId>(index));
        EXPECT_EQ(title(info.title), vst.text(effGetParamName, index));
        EXPECT_EQ(static_cast<float>(info.defaultNormalizedValue), vst.getParameter(index));
        EXPECT_EQ(controller->vtable->getParamNormalized(controller, info.id), info.defaultNormalizedValue);
        EXPECT_EQ(info.unitId, vst3::kRootUnitId);
        const bool hidden = index == 40 || index == 41;
        EXPECT_EQ((info.flags & vst3::ParameterInfo::kIsHidden) != 0, hidden);
        EXPECT_EQ((info.flags & vst3::ParameterInfo::kIsReadOnly) != 0, hidden);
        EXPECT_EQ((info.flags & vst3::ParameterInfo::kCanAutomate) != 0, !hidden);
    }
    ASSERT_EQ(controller->vtable->getParameterInfo(controller, 6, &info), vst3::kResultOk);
    EXPECT_EQ(info.stepCount, 16);  // Eq_Num: 0 to 16 points
    ASSERT_EQ(controller->vtable->getParameterInfo(controller, 0, &info), vst3::kResultOk);
    EXPECT_EQ(info.stepCount, 1);  // Active: a switch
    ASSERT_EQ(controller->vtable->getParameterInfo(controller, 1, &info), vst3::kResultOk);
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_EQ(title(info.units), "%");
    ASSERT_EQ(controller->vtable->getParameterInfo(controller, 5, &info), vst3::kResultOk);
    EXPECT_EQ(title(info.units), "dB");
}

TEST(Vst3Parameters, ValueTextsReadAsTheVstModulesBothWays)
{
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    vst3::IEditController* controller = effect->controller();
    EffectInstance vst;
    for (vst3::ParamId id = 0; id < 42; ++id)
    {
        SCOPED_TRACE("parameter " + std::to_string(id));
        // Eq_Num reads as its count of points, as CLAP and LV2 hosts list it; VST 2.4 keeps
        // its own text.
        if (id == 6)
        {
            for (int count = 0; count <= 16; ++count)
            {
                const double value = static_cast<double>(static_cast<float>(count) / 16.0f);
                EXPECT_EQ(valueText(controller, id, value), std::to_string(count));
                vst3::ParamValue parsed = -1.0;
                ASSERT_TRUE(valueOf(controller, id, std::to_string(count), parsed));
                EXPECT_EQ(parsed, value);
            }
            continue;
        }
        for (float value : {0.0f, 0.3f, 0.5f, 0.9f, 1.0f})
        {
            vst.setParameter(static_cast<VstInt32>(id), value);
            const std::string vstText = vst.text(effGetParamDisplay, static_cast<VstInt32>(id));
            EXPECT_EQ(valueText(controller, id, value), vstText);
            vst3::ParamValue parsed = -1.0;
            ASSERT_TRUE(valueOf(controller, id, vstText, parsed)) << vstText;
            EXPECT_EQ(valueText(controller, id, parsed), vstText);
        }
    }
    vst3::ParamValue parsed = -1.0;
    EXPECT_TRUE(valueOf(controller, 1, "80%", parsed));
    EXPECT_EQ(parsed, static_cast<double>(0.8f));
    EXPECT_TRUE(valueOf(controller, 1, "250%", parsed));
    EXPECT_EQ(parsed, 1.0);
    EXPECT_FALSE(valueOf(controller, 1, "wide", parsed));
    EXPECT_FALSE(valueOf(controller, 42, "0.5", parsed));
    EXPECT_EQ(valueText(controller, 42, 0.5), "(refused)");
}

TEST(Vst3Parameters, ValuesAHostReadsStayWithinZeroToOne)
{
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    vst3::IEditController* controller = effect->controller();
    // A VST 2.4 host may store any value; its chunk carries it over.
    EffectInstance vst;
    vst.setParameter(1, 1.7f);
    vst.setParameter(2, -0.4f);
    Vst3MemoryStream chunk(vst.chunk(true));
    ASSERT_EQ(effect->setState(chunk.stream()), vst3::kResultOk);
    EXPECT_EQ(controller->vtable->getParamNormalized(controller, 1), 1.0);
    EXPECT_EQ(controller->vtable->getParamNormalized(controller, 2), 0.0);

    EXPECT_EQ(controller->vtable->setParamNormalized(controller, 3, 2.5), vst3::kResultOk);
    EXPECT_EQ(controller->vtable->getParamNormalized(controller, 3), 1.0);
    EXPECT_EQ(controller->vtable->setParamNormalized(controller, 3, 0.25), vst3::kResultOk);
    EXPECT_EQ(controller->vtable->setParamNormalized(controller, 3, std::numeric_limits<double>::quiet_NaN()),
              vst3::kResultOk);
    EXPECT_EQ(controller->vtable->getParamNormalized(controller, 3), 0.25);
    EXPECT_NE(controller->vtable->setParamNormalized(controller, 42, 0.5), vst3::kResultOk);
    EXPECT_EQ(controller->vtable->normalizedParamToPlain(controller, 1, 3.0), 1.0);
    EXPECT_EQ(controller->vtable->plainParamToNormalized(controller, 1, -3.0), 0.0);
}

TEST(Vst3Parameters, ChangesAHostSendsWithoutAudioStillTakeEffect)
{
    auto effect = processingEffect(44100.0, 512);
    ASSERT_NE(effect, nullptr);
    Vst3StereoProcessData data;
    ASSERT_TRUE(data.inputChanges().addPoint(1, 0, 0.2));
    ASSERT_TRUE(data.inputChanges().addPoint(1, 0, 0.7));
    ASSERT_TRUE(data.inputChanges().addPoint(5, 0, 0.9));
    ASSERT_TRUE(data.inputChanges().addPoint(99, 0, 0.9));  // not ours: left alone
    float* noChannels[2] = {nullptr, nullptr};
    vst3::ProcessData& flush = data.prepare(noChannels, noChannels, 0);
    flush.numInputs = 0;
    flush.numOutputs = 0;
    ASSERT_EQ(effect->processor()->vtable->process(effect->processor(), &flush), vst3::kResultOk);
    vst3::IEditController* controller = effect->controller();
    EXPECT_EQ(controller->vtable->getParamNormalized(controller, 1), static_cast<double>(0.7f));
    EXPECT_EQ(controller->vtable->getParamNormalized(controller, 5), static_cast<double>(0.9f));
}

// A host may set a value and save the state before any process call carries it (Ardour's
// scripting does): the state holds it. Points in process still apply at their samples.
TEST(Vst3Parameters, WhileProcessingTheControllersValueIsTheEffectsAtOnceAndSaved)
{
    auto effect = processingEffect(44100.0, 512);
    ASSERT_NE(effect, nullptr);
    vst3::IEditController* controller = effect->controller();
    ASSERT_EQ(controller->vtable->setParamNormalized(controller, 5, 0.25), vst3::kResultOk);
    EXPECT_EQ(controller->vtable->getParamNormalized(controller, 5), static_cast<double>(0.25f));
    auto fresh = createdEffect();
    ASSERT_NE(fresh, nullptr);
    Vst3MemoryStream state(savedState(*effect));
    ASSERT_EQ(fresh->setState(state.stream()), vst3::kResultOk);
    EXPECT_EQ(fresh->controller()->vtable->getParamNormalized(fresh->controller(), 5), static_cast<double>(0.25f));
}
