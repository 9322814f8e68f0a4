// What a CLAP host sees of the module before any sound: who it is, its ports, and its
// parameters, which must read exactly as the VST 2.4 module's do.
#include "ClapTestSupport.h"
#include "VantorVersion.h"
#include "host/PluginHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

TEST(ClapDescription, OnePluginWithItsIdentityAndFeatures)
{
    ASSERT_TRUE(clapModule().loaded()) << clapModule().error();
    ASSERT_EQ(clapModule().pluginCount(), 1u);
    const clap::PluginDescriptor* descriptor = clapModule().descriptor(0);
    ASSERT_NE(descriptor, nullptr);
    EXPECT_EQ(clapModule().descriptor(1), nullptr);
    EXPECT_STREQ(descriptor->id, kClapPluginId);
    EXPECT_STREQ(descriptor->name, "Vantor Pro");
    EXPECT_STREQ(descriptor->vendor, "Brackwel");
    EXPECT_STREQ(descriptor->version, kVantorVersionText);
    std::set<std::string> features;
    for (const char* const* feature = descriptor->features; feature != nullptr && *feature != nullptr; ++feature)
        features.insert(*feature);
    EXPECT_EQ(features, (std::set<std::string>{"audio-effect", "stereo"}));
    ClapPluginInstance wrongId(clapModule(), "com.brackwel.other");
    EXPECT_FALSE(wrongId.created());
}

TEST(ClapDescription, OneStereoPortEachWayThatMayShareItsBuffer)
{
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    for (bool isInput : {true, false})
    {
        ASSERT_EQ(plugin->audioPortCount(isInput), 1u);
        const auto port = plugin->audioPortInfo(0, isInput);
        ASSERT_TRUE(port);
        EXPECT_EQ(port->channelCount, 2u);
        EXPECT_STREQ(port->portType, clap::kPortStereo);
        EXPECT_TRUE(port->flags & clap::kAudioPortIsMain);
        EXPECT_EQ(port->inPlacePair, port->id);
        EXPECT_FALSE(plugin->audioPortInfo(1, isInput));
    }
}

TEST(ClapDescription, ParametersMatchTheVstModulesNamesDefaultsAndTexts)
{
    auto plugin = initialisedPlugin();
    ASSERT_NE(plugin, nullptr);
    EffectInstance vst;
    ASSERT_NE(vst.effect(), nullptr);
    ASSERT_EQ(plugin->paramCount(), static_cast<std::uint32_t>(vst.effect()->numParams));
    ASSERT_EQ(plugin->paramCount(), 42u);
    EXPECT_FALSE(plugin->paramInfo(42));
    for (std::uint32_t index = 0; index < plugin->paramCount(); ++index)
    {
        SCOPED_TRACE("parameter " + std::to_string(index));
        const auto info = plugin->paramInfo(index);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->id, index);
        EXPECT_EQ(std::string(info->name), vst.text(effGetParamName, static_cast<VstInt32>(index)));
        EXPECT_EQ(info->minValue, 0.0);
        EXPECT_EQ(info->maxValue, 1.0);
        EXPECT_EQ(static_cast<float>(info->defaultValue), vst.getParameter(static_cast<VstInt32>(index)));
        EXPECT_EQ(plugin->paramValue(index), info->defaultValue);
        // Only the two parameters that mean nothing to a user stay out of automation lists,
        // hidden and read-only, as in VST3 and LV2.
        const bool hidden = index == 40 || index == 41;
        EXPECT_EQ((info->flags & clap::kParamIsHidden) != 0, hidden);
        EXPECT_EQ((info->flags & clap::kParamIsReadonly) != 0, hidden);
        EXPECT_EQ((info->flags & clap::kParamIsAutomatable) != 0, !hidden);
        // Eq_Num reads as its count of points, as VST3 and LV2 hosts list it; VST 2.4 keeps
        // its own text.
        if (index == 6)
        {
            for (int count = 0; count <= 16; ++count)
            {
                const double value = static_cast<double>(static_cast<float>(count) / 16.0f);
                EXPECT_EQ(plugin->valueToText(index, value), std::to_string(count));
                EXPECT_EQ(plugin->textToValue(index, std::to_string(count)), value);
            }
            continue;
        }
        for (float value : {0.0f, 0.3f, 0.5f, 0.9f, 1.0f})
        {
            vst.setParameter(static_cast<VstInt32>(index), value);
            const std::string vstText = vst.text(effGetParamDisplay, static_cast<VstInt32>(index));
            EXPECT_EQ(plugin->valueToText(index, value), vstText);
            const auto parsed = plugin->textToValue(index, vstText);
            ASSERT_TRUE(parsed) << vstText;
            EXPECT_EQ(plugin->valueToText(index, *parsed), vstText);
        }
    }
    EXPECT_FALSE(plugin->paramValue(42));
    EXPECT_FALSE(plugin->valueToText(42, 0.5));
    EXPECT_FALSE(plugin->textToValue(1, "wide"));
    EXPECT_EQ(plugin->textToValue(1, "80%"), static_cast<double>(0.8f));
    // A tiny buffer still gets an ended text.
    EXPECT_TRUE(plugin->valueToText(5, 0.7, 4));
}
