// vantor-render --preset: a factory preset's program file renders as its chunk does, and a
// file the plug-in cannot take is refused with the reason, before any output is written.
#include "AudioFile.h"
#include "RenderTestSupport.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

// A program file's chunk starts after its 60-byte header.
constexpr std::size_t kFxpHeaderBytes = 60;

std::string factoryPresetFile(const char* name)
{
    return environmentPath("VANTOR_PRESET_FOLDER") + "/" + name + ".fxp";
}

}  // namespace

TEST(RenderPreset, AProgramFileRendersAsItsChunkAndUnlikeTheDefault)
{
    const std::string preset = factoryPresetFile("Wide Pads");
    const std::vector<unsigned char> file = fileBytes(preset);
    ASSERT_GT(file.size(), kFxpHeaderBytes);
    writeBytes(workPath("wide-pads.chunk"), {file.begin() + kFxpHeaderBytes, file.end()});

    const std::vector<std::vector<std::string>> runs = {
        {"--preset", preset}, {"--chunk", workPath("wide-pads.chunk")}, {}};
    std::vector<AudioClip> outputs;
    for (std::size_t i = 0; i < runs.size(); ++i)
    {
        std::vector<std::string> arguments = {demoInputPath(), workPath("preset-" + std::to_string(i) + ".wav")};
        arguments.insert(arguments.end(), runs[i].begin(), runs[i].end());
        const CommandResult result = runRender(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        outputs.push_back(readAudioFile(arguments[1]));
    }
    EXPECT_EQ(outputs[0].channels, outputs[1].channels);
    EXPECT_GT(largestDifference(outputs[0], outputs[2], 0, 0), 0.01f);
}

TEST(RenderPreset, AFileThePluginCannotTakeIsRefusedWithTheReason)
{
    const std::vector<unsigned char> good = fileBytes(factoryPresetFile("Wide Pads"));
    std::vector<unsigned char> foreign = good;
    foreign[16] = 'X';
    const struct
    {
        const char* name;
        std::vector<unsigned char> bytes;
        const char* reason;
    } kCases[] = {
        {"short.fxp", {good.begin(), good.begin() + 700}, "short.fxp: not loaded, truncated"},
        {"foreign.fxp", foreign, "foreign.fxp: not loaded, made for another plug-in"},
    };
    for (const auto& c : kCases)
    {
        writeBytes(workPath(c.name), c.bytes);
        const std::string output = workPath(std::string(c.name) + ".wav");
        const CommandResult result = runRender({demoInputPath(), output, "--preset", workPath(c.name)});
        EXPECT_EQ(result.exitCode, 1) << c.name;
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(output)) << c.name;
    }
    const CommandResult missing =
        runRender({demoInputPath(), workPath("missing.wav"), "--preset", workPath("none.fxp")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.fxp: not loaded, cannot be read"), std::string::npos) << missing.err;
}
