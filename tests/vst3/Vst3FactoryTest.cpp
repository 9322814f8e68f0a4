// What a VST3 host sees of the bundle before any sound: the factory with its one class, the
// bundle's layout and moduleinfo.json, and the buses.
#include "Vst3TestSupport.h"
#include "identity/EffectIdentity.h"
#include "vst3shell/Vst3BundleSkin.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace
{

std::string spelled(const std::array<std::uint8_t, 16>& bytes)
{
    std::string text;
    for (const std::uint8_t byte : bytes)
    {
        char digits[3] = {};
        std::snprintf(digits, sizeof(digits), "%02X", byte);
        text += digits;
    }
    return text;
}

std::string fileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool mentions(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

TEST(Vst3Factory, OneAudioEffectClassWithTheIdentityRecordsFacts)
{
    ASSERT_TRUE(vst3Module().loaded()) << vst3Module().error();
    EXPECT_EQ(vst3Module().factoryRevision(), 3);
    const auto factory = vst3Module().factoryInfo();
    ASSERT_TRUE(factory);
    EXPECT_EQ(factory->vendor, kEffectIdentity.vendor);
    EXPECT_NE(factory->flags & vst3::PFactoryInfo::kUnicode, 0);

    const std::vector<Vst3ClassInfo> classes = vst3Module().classes();
    ASSERT_EQ(classes.size(), 1u);
    const Vst3ClassInfo& effect = classes[0];
    EXPECT_EQ(effect.classId, effectClassId());
    EXPECT_EQ(effect.category, vst3::kAudioEffectClass);
    EXPECT_EQ(effect.name, "Vantor Pro");
    EXPECT_EQ(effect.vendor, "Brackwel");
    EXPECT_EQ(effect.subCategories, "Fx|Spatial");
    EXPECT_EQ(effect.version, kEffectIdentity.versionText);
    EXPECT_EQ(effect.sdkVersion, vst3::kSdkVersionString);
    EXPECT_EQ(effect.cardinality, vst3::PClassInfo::kManyInstances);

    // Another class id makes nothing, and neither does an interface the effect lacks.
    vst3::Tuid otherClass = effectClassId();
    otherClass[15] ^= 1;
    EXPECT_EQ(vst3Module().createInstance(otherClass, vst3::kIComponentIid), nullptr);
    EXPECT_EQ(vst3Module().createInstance(effectClassId(), vst3::kIPlugViewIid), nullptr);
    {
        Vst3PluginInstance single(vst3Module(), effectClassId());
        ASSERT_TRUE(single.created()) << single.error();
        EXPECT_TRUE(single.isSingleComponent());
        // What the effect holds of the host it lets go of again.
        EXPECT_GT(vst3Module().hostContext().references(), 1u);
        EXPECT_EQ(single.componentHandler().references(), 2u);
        single.controller()->vtable->setComponentHandler(single.controller(), nullptr);
        EXPECT_EQ(single.componentHandler().references(), 1u);
    }
    EXPECT_EQ(vst3Module().hostContext().references(), 1u);
    EXPECT_EQ(vst3Module().hostContext().misuses(), 0);
}

TEST(Vst3Factory, TheBundleHoldsTheSkinAndAModuleInfoThatAgreesWithTheFactory)
{
    ASSERT_TRUE(vst3Module().loaded()) << vst3Module().error();
    const fs::path binary = vst3BinaryPath(vst3BundlePath());
    ASSERT_TRUE(fs::is_regular_file(binary)) << binary;
    // Where the module looks for its skin, from its own folder.
    const fs::path skin = bundleSkinFolder(binary.parent_path().string() + static_cast<char>(fs::path::preferred_separator));
    const fs::path builtSkin = fs::path(vst3BundlePath()).parent_path() / "Skin";
    ASSERT_TRUE(fs::is_directory(builtSkin)) << builtSkin;
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(builtSkin))
    {
        if (!entry.is_regular_file())
            continue;
        const fs::path relative = fs::relative(entry.path(), builtSkin);
        EXPECT_EQ(fs::file_size(skin / relative), entry.file_size()) << relative;
        ++files;
    }
    EXPECT_GT(files, 0u);

    const std::string info = fileText(fs::path(vst3BundlePath()) / "Contents" / "Resources" / "moduleinfo.json");
    ASSERT_FALSE(info.empty());
    const Vst3ClassInfo effect = vst3Module().classes().at(0);
    EXPECT_TRUE(mentions(info, "\"CID\": \"" + spelled(kEffectIdentity.vst3ClassId) + "\"")) << info;
    EXPECT_TRUE(mentions(info, "\"Category\": \"" + effect.category + "\""));
    EXPECT_TRUE(mentions(info, "\"Name\": \"" + effect.name + "\""));
    EXPECT_TRUE(mentions(info, "\"Vendor\": \"" + effect.vendor + "\""));
    EXPECT_TRUE(mentions(info, "\"Version\": \"" + effect.version + "\""));
    EXPECT_TRUE(mentions(info, "\"SDKVersion\": \"" + effect.sdkVersion + "\""));
    EXPECT_TRUE(mentions(info, "\"Sub Categories\": [\"Fx\", \"Spatial\"]"));
    EXPECT_TRUE(mentions(info, "\"Class Flags\": " + std::to_string(effect.classFlags) + ","));
    EXPECT_TRUE(mentions(info, "\"Unicode\": true"));
}

TEST(Vst3Buses, OneStereoInputAndOutputAndNothingElseCanBeArranged)
{
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    vst3::IComponent* component = effect->component();
    vst3::IAudioProcessor* processor = effect->processor();
    for (const vst3::BusDirection direction : {vst3::kInput, vst3::kOutput})
    {
        SCOPED_TRACE(direction);
        EXPECT_EQ(component->vtable->getBusCount(component, vst3::kAudio, direction), 1);
        EXPECT_EQ(component->vtable->getBusCount(component, vst3::kEvent, direction), 0);
        vst3::BusInfo bus{};
        ASSERT_EQ(component->vtable->getBusInfo(component, vst3::kAudio, direction, 0, &bus), vst3::kResultOk);
        EXPECT_EQ(bus.channelCount, 2);
        EXPECT_EQ(bus.direction, direction);
        EXPECT_EQ(bus.busType, vst3::kMain);
        EXPECT_NE(bus.flags & vst3::BusInfo::kDefaultActive, 0u);
        EXPECT_NE(component->vtable->getBusInfo(component, vst3::kAudio, direction, 1, &bus), vst3::kResultOk);
    }

    vst3::SpeakerArrangement stereo[2] = {vst3::kStereo, vst3::kStereo};
    vst3::SpeakerArrangement mono[1] = {vst3::kSpeakerL};
    vst3::SpeakerArrangement surround[1] = {0x3F};  // 5.1
    EXPECT_EQ(processor->vtable->setBusArrangements(processor, stereo, 1, stereo, 1), vst3::kResultTrue);
    const struct
    {
        vst3::SpeakerArrangement* inputs;
        std::int32_t inputCount;
        vst3::SpeakerArrangement* outputs;
        std::int32_t outputCount;
    } refused[] = {{mono, 1, mono, 1},     {mono, 1, stereo, 1},  {stereo, 1, surround, 1},
                   {stereo, 2, stereo, 2}, {nullptr, 0, stereo, 1}, {stereo, 1, nullptr, 0}};
    for (const auto& wish : refused)
    {
        EXPECT_EQ(processor->vtable->setBusArrangements(processor, wish.inputs, wish.inputCount, wish.outputs,
                                                        wish.outputCount),
                  vst3::kResultFalse);
        for (const vst3::BusDirection direction : {vst3::kInput, vst3::kOutput})
        {
            vst3::SpeakerArrangement kept = 0;
            ASSERT_EQ(processor->vtable->getBusArrangement(processor, direction, 0, &kept), vst3::kResultOk);
            EXPECT_EQ(kept, vst3::kStereo);
        }
    }

    EXPECT_EQ(processor->vtable->canProcessSampleSize(processor, vst3::kSample32), vst3::kResultTrue);
    EXPECT_EQ(processor->vtable->canProcessSampleSize(processor, vst3::kSample64), vst3::kResultFalse);
    Vst3StereoProcessData data;
    vst3::ProcessSetup setup = data.setup(44100.0, 512);
    setup.symbolicSampleSize = vst3::kSample64;
    EXPECT_NE(processor->vtable->setupProcessing(processor, &setup), vst3::kResultOk);
}
