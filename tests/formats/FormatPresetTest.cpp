// The factory presets as every format's hosts find them: the same list as the program files
// the build writes, each loading as exactly its file's program chunk and sounding as the VST
// 2.4 module given that chunk, on every platform alike.
#include "FormatRows.h"
#include "host/PluginHost.h"
#include "support/FactoryPresetFiles.h"
#include "support/PresetRenders.h"

#include <algorithm>

namespace
{

constexpr std::size_t kBlock = 512;
constexpr int kShape = 4;

StereoSignal material()
{
    // Partly shared, partly independent: the width stages have something to work on.
    StereoSignal signal = stereoNoise(44100, 0.2f);
    const std::vector<float> shared = sine(signal.left.size(), 220.0, 44100.0, 0.3f);
    for (std::size_t i = 0; i < shared.size(); ++i)
    {
        signal.left[i] += shared[i];
        signal.right[i] += shared[i];
    }
    return signal;
}

using FormatPresets = FormatCase;

}  // namespace

TEST_P(FormatPresets, EveryFactoryPresetLoadsAsItsProgramAndSoundsAsTheVstModuleWithIt)
{
    if (!GetParam().offersFactoryPresets)
        GTEST_SKIP() << "its hosts load the program files themselves, as the other formats are held to";
    const auto files = factoryPresetFiles();
    ASSERT_GE(files.size(), 12u);
    std::vector<std::string> fileNames;
    for (const auto& file : files)
        fileNames.push_back(file.stem().string());
    auto lister = made();
    ASSERT_NE(lister, nullptr);
    std::vector<std::string> listed = lister->factoryPresetNames();
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, fileNames);

    StereoSignal everyPreset;
    for (const auto& file : files)
    {
        const std::string name = file.stem().string();
        SCOPED_TRACE(name);
        const std::vector<unsigned char> chunk = chunkOfFile(file);
        auto module = made();
        ASSERT_NE(module, nullptr);
        ASSERT_TRUE(module->loadFactoryPreset(name));
        EXPECT_EQ(module->saveState(), chunk);
        EffectInstance vst;
        ASSERT_NE(vst.restore(chunk, true), 0);
        for (std::uint32_t id = 0; id < 6; ++id)
            EXPECT_EQ(module->value(id), static_cast<double>(vst.getParameter(static_cast<VstInt32>(id)))) << id;

        StereoSignal rendered = material();
        module->start(kBlock);
        module->process(rendered, kBlock, {});
        StereoSignal fromVst = material();
        vst.resumeAt(44100.0f, kBlock);
        vst.process(fromVst.left, fromVst.right);
        const bool shaped = vst.getParameter(kShape) != 0.0f;
        EXPECT_TRUE(soundsTheSame(rendered.left, fromVst.left, shaped));
        EXPECT_TRUE(soundsTheSame(rendered.right, fromVst.right, shaped));
        everyPreset.left.insert(everyPreset.left.end(), rendered.left.begin(), rendered.left.end());
        everyPreset.right.insert(everyPreset.right.end(), rendered.right.begin(), rendered.right.end());
    }
    keepOrCompareReference(referenceFile("preset-reference"), {}, everyPreset);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatPresets, ::testing::ValuesIn(formatRows()), rowName);
