// The factory presets as VST3 hosts find them in the bundle: each .vstpreset's component
// state, loaded as a host loads a preset (component, then controller), sounds exactly as the
// VST 2.4 module given the program file of the same name.
#include "Vst3TestSupport.h"
#include "host/PluginHost.h"
#include "support/PresetRenders.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

constexpr std::size_t kFxpHeaderBytes = 60;

std::vector<unsigned char> bytesOf(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint64_t littleEndian(const std::vector<unsigned char>& bytes, std::size_t offset, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}

// The component state as a host finds it: through the chunk list the header points at.
std::vector<unsigned char> componentState(const std::vector<unsigned char>& preset)
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

}  // namespace

TEST(Vst3Presets, EveryBundledPresetLoadsAndSoundsAsTheVstProgramFile)
{
    const std::filesystem::path bundlePresets =
        std::filesystem::path(vst3BundlePath()) / "Contents" / "Resources" / "Presets";
    const char* fxpFolder = std::getenv("VANTOR_PRESET_FOLDER");
    ASSERT_NE(fxpFolder, nullptr);
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(bundlePresets))
    {
        ++count;
        const std::string name = entry.path().stem().string();
        EXPECT_EQ(entry.path().extension(), ".vstpreset");
        const std::vector<unsigned char> state = componentState(bytesOf(entry.path()));
        const std::vector<unsigned char> file = bytesOf(std::filesystem::path(fxpFolder) / (name + ".fxp"));
        ASSERT_GT(file.size(), kFxpHeaderBytes) << name << " has its program file beside the modules";
        const std::vector<unsigned char> chunk(file.begin() + kFxpHeaderBytes, file.end());
        EXPECT_EQ(state, chunk) << name;

        auto effect = createdEffect();
        ASSERT_NE(effect, nullptr);
        Vst3MemoryStream forComponent(state);
        ASSERT_EQ(effect->setState(forComponent.stream()), vst3::kResultOk);
        Vst3MemoryStream forController(state);
        ASSERT_EQ(effect->setComponentState(forController.stream()), vst3::kResultOk);
        // Hosts load presets holding their own locks: a call back from inside never returns.
        EXPECT_EQ(effect->componentHandler().reentrantCalls(), std::vector<std::string>{}) << name;

        EffectInstance vst;
        ASSERT_NE(vst.restore(chunk, true), 0);
        for (int id = 0; id < 6; ++id)
            EXPECT_EQ(effect->controller()->vtable->getParamNormalized(effect->controller(), id),
                      static_cast<double>(vst.getParameter(id)))
                << name << " " << id;
        StereoSignal vstSignal = stereoNoise(44100, 0.3f);
        StereoSignal vst3Signal = vstSignal;
        vst.resumeAt(44100.0f, 512);
        vst.process(vstSignal.left, vstSignal.right);
        startProcessing(*effect, 44100.0, 512);
        processInBlocks(*effect, vst3Signal.left, vst3Signal.right, 512);
        const bool shaped = vst.getParameter(4) != 0.0f;
        EXPECT_TRUE(soundsTheSame(vst3Signal.left, vstSignal.left, shaped)) << name;
        EXPECT_TRUE(soundsTheSame(vst3Signal.right, vstSignal.right, shaped)) << name;
    }
    EXPECT_GE(count, 12u);
}
