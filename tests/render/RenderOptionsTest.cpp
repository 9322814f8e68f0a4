#include "RenderOptions.h"
#include "RenderErrors.h"

#include <gtest/gtest.h>

namespace
{

const std::string kDefaultPlugin = "/built/Vantor Pro.so";

RenderOptions parse(const std::vector<std::string>& arguments)
{
    return parseRenderOptions(arguments, kDefaultPlugin);
}

TEST(RenderOptions, TwoFilesAndNothingElseTakeTheDefaults)
{
    const RenderOptions options = parse({"in.wav", "out.flac"});
    EXPECT_EQ(options.inputPath, "in.wav");
    EXPECT_EQ(options.outputPath, "out.flac");
    EXPECT_EQ(options.pluginPath, kDefaultPlugin);
    EXPECT_EQ(options.blockSize, 512);
    EXPECT_FALSE(options.align);
    EXPECT_FALSE(options.list);
    EXPECT_FALSE(options.quiet);
    EXPECT_TRUE(options.settings.empty());
    EXPECT_TRUE(options.rendersAudio());
}

TEST(RenderOptions, EveryOptionInBothSpellings)
{
    const RenderOptions options =
        parse({"--plugin", "other.so", "in.wav", "--set", "Stereo Width=0.8", "--set=Gain=0", "--chunk=a.fxb",
               "--save-chunk", "b.fxb", "--block=64", "--align", "--list", "--quiet", "out.wav"});
    EXPECT_EQ(options.pluginPath, "other.so");
    ASSERT_EQ(options.settings.size(), 2u);
    EXPECT_EQ(options.settings[0].name, "Stereo Width");
    EXPECT_FLOAT_EQ(options.settings[0].value, 0.8f);
    EXPECT_EQ(options.settings[1].name, "Gain");
    EXPECT_EQ(options.settings[1].value, 0.0f);
    EXPECT_EQ(options.chunkPath, "a.fxb");
    EXPECT_EQ(options.saveChunkPath, "b.fxb");
    EXPECT_EQ(options.blockSize, 64);
    EXPECT_TRUE(options.align);
    EXPECT_TRUE(options.list);
    EXPECT_TRUE(options.quiet);
    EXPECT_EQ(options.inputPath, "in.wav");
    EXPECT_EQ(options.outputPath, "out.wav");
}

TEST(RenderOptions, APresetFile)
{
    EXPECT_EQ(parse({"in.wav", "out.wav", "--preset", "Wide Pads.fxp"}).presetPath, "Wide Pads.fxp");
    EXPECT_EQ(parse({"--list", "--preset=a.fxp"}).presetPath, "a.fxp");
}

TEST(RenderOptions, ListNeedsNoFiles)
{
    const RenderOptions options = parse({"--list"});
    EXPECT_TRUE(options.list);
    EXPECT_FALSE(options.rendersAudio());
}

TEST(RenderOptions, HelpNeedsNoFiles)
{
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"-h"}).help);
}

TEST(RenderOptions, DoubleDashEndsTheOptions)
{
    const RenderOptions options = parse({"--", "--odd name.wav", "-"});
    EXPECT_EQ(options.inputPath, "--odd name.wav");
    EXPECT_EQ(options.outputPath, "-");
}

TEST(RenderOptions, SettingNamesMayContainEqualsSigns)
{
    const RenderOptions options = parse({"--set", "a=b=1", "in.wav", "out.wav"});
    ASSERT_EQ(options.settings.size(), 1u);
    EXPECT_EQ(options.settings[0].name, "a=b");
    EXPECT_EQ(options.settings[0].value, 1.0f);
}

TEST(RenderOptions, BlockSizeLimitsAreInclusive)
{
    EXPECT_EQ(parse({"--block", "1", "in.wav", "out.wav"}).blockSize, 1);
    EXPECT_EQ(parse({"--block", "65536", "in.wav", "out.wav"}).blockSize, 65536);
}

TEST(RenderOptions, AnalyzeOnlyTakesOneFileAndRendersNothing)
{
    const RenderOptions options = parse({"--analyze-only", "in.wav", "--report", "r.png", "--report-json=r.json"});
    EXPECT_EQ(options.inputPath, "in.wav");
    EXPECT_FALSE(options.rendersAudio());
    EXPECT_EQ(options.reportPath, "r.png");
    EXPECT_EQ(options.reportJsonPath, "r.json");
}

TEST(RenderOptions, BadCommandLinesAreUsageErrors)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"in.wav"},
        {"a.wav", "b.wav", "c.wav"},
        {"--frobnicate", "in.wav", "out.wav"},
        {"--align=yes", "in.wav", "out.wav"},
        {"in.wav", "out.wav", "--plugin"},
        {"--plugin=", "in.wav", "out.wav"},
        {"--block", "0", "in.wav", "out.wav"},
        {"--block", "65537", "in.wav", "out.wav"},
        {"--block", "12x", "in.wav", "out.wav"},
        {"--block", "-4", "in.wav", "out.wav"},
        {"--set", "Stereo Width", "in.wav", "out.wav"},
        {"--set", "=0.5", "in.wav", "out.wav"},
        {"--set", "Stereo Width=", "in.wav", "out.wav"},
        {"--set", "Stereo Width=1.5", "in.wav", "out.wav"},
        {"--set", "Stereo Width=-0.1", "in.wav", "out.wav"},
        {"--set", "Stereo Width=nan", "in.wav", "out.wav"},
        {"--set", "Stereo Width=0.5dB", "in.wav", "out.wav"},
        {"--preset", "a.fxp", "--chunk", "b.chunk", "in.wav", "out.wav"},
        // Analysing takes IN alone and nothing meant for a plug-in; a report needs a file.
        {"--analyze-only", "in.wav", "out.wav"},
        {"--analyze-only", "in.wav", "--set", "Stereo Width=0.5"},
        {"--analyze-only", "in.wav", "--align"},
        {"--list", "--report-json", "r.json"},
    };
    for (const std::vector<std::string>& arguments : bad)
    {
        std::string shown;
        for (const std::string& argument : arguments)
            shown += " [" + argument + "]";
        EXPECT_THROW(parse(arguments), UsageError) << shown;
    }
}

TEST(RenderOptions, UsageTextNamesEveryOptionAndTheDefaultPlugin)
{
    const std::string text = renderUsageText(kDefaultPlugin);
    for (const char* option : {"--plugin", "--set", "--chunk", "--preset", "--save-chunk", "--block", "--align",
                               "--list", "--quiet", "--help", kDefaultPlugin.c_str()})
        EXPECT_NE(text.find(option), std::string::npos) << option;
}

}  // namespace
