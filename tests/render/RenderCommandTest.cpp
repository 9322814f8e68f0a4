// vantor-render run as a user runs it, on the demo material, through the Vantor Pro module
// this build produces (the renderer's default).

#include "AudioFile.h"
#include "RenderTestSupport.h"
#include "SignalStats.h"
#include "support/FileBytes.h"

#include <sndfile.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

namespace
{

// At 44.1 kHz neutral settings give the input back 2049 samples later (a 2048-sample frame
// and one sample), and that is the latency the plug-in reports.
constexpr std::size_t kProcessedDelay = 2049;
// The engine's first two frames build up from silence; compare after them.
constexpr std::size_t kSettlingFrames = 2 * 2048;
// Overlap-add ripple of neutral processing, relative to the input's peak.
constexpr float kNeutralTolerance = 2e-3f;

int storedFormat(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        return 0;
    sf_close(file);
    return info.format;
}

AudioClip firstSecondWithChannels(std::size_t channelCount)
{
    const AudioClip demo = readAudioFile(demoInputPath());
    AudioClip clip;
    clip.sampleRate = demo.sampleRate;
    for (std::size_t c = 0; c < channelCount; ++c)
        clip.channels.emplace_back(demo.channels[c % 2].begin(), demo.channels[c % 2].begin() + demo.sampleRate);
    return clip;
}

class RenderCommand : public ::testing::Test
{
protected:
    // Renders the demo into a work file named name and reads the result back.
    AudioClip renderDemo(const std::string& name, const std::vector<std::string>& options)
    {
        std::vector<std::string> arguments = {demoInputPath(), workPath(name)};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const CommandResult result = runRender(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return readAudioFile(workPath(name));
    }

    const AudioClip input = readAudioFile(demoInputPath());
    const float tolerance = kNeutralTolerance * largestMagnitude(input);
};

TEST_F(RenderCommand, NeutralSettingsGiveTheInputLater)
{
    const AudioClip output = renderDemo("neutral.wav", {});
    EXPECT_EQ(output.sampleRate, input.sampleRate);
    ASSERT_EQ(output.channels.size(), 2u);
    ASSERT_EQ(output.frames(), input.frames());
    EXPECT_LE(largestDifference(output, input, kProcessedDelay, kSettlingFrames), tolerance);
}

TEST_F(RenderCommand, AlignDropsTheReportedLatencyAndFlushesTheTail)
{
    const AudioClip plain = renderDemo("plain.wav", {});
    const AudioClip aligned = renderDemo("aligned.wav", {"--align"});
    ASSERT_EQ(aligned.frames(), input.frames());
    // The same samples, the latency earlier: exactly what the plug-in reported is gone.
    EXPECT_EQ(largestDifference(plain, aligned, kProcessedDelay, 0), 0.0f);
    // Up to the very end, so the tail was flushed, and sample for sample with the input.
    EXPECT_LE(largestDifference(aligned, input, 0, kSettlingFrames), tolerance);
    const StereoStats before = measureStereo(input);
    const StereoStats after = measureStereo(aligned);
    EXPECT_NEAR(after.peak, before.peak, tolerance);
    EXPECT_NEAR(*after.correlation, *before.correlation, 0.01);
}

TEST_F(RenderCommand, WidthZeroFoldsToMono)
{
    const AudioClip mono = renderDemo("width-zero.wav", {"--set", "Stereo Width=0", "--align"});
    AudioClip leftOnly = mono;
    leftOnly.channels[1] = mono.channels[0];
    EXPECT_LE(largestDifference(mono, leftOnly, 0, kSettlingFrames), tolerance);
    EXPECT_GT(largestMagnitude(mono), 0.1f);
    ASSERT_TRUE(measureStereo(mono).correlation.has_value());
    EXPECT_GT(*measureStereo(mono).correlation, 0.999);
}

TEST_F(RenderCommand, SettingNamesIgnoreCaseWhenUnambiguous)
{
    const AudioClip exact = renderDemo("width-exact.wav", {"--set", "Stereo Width=0.9"});
    const AudioClip lowerCase = renderDemo("width-lower.wav", {"--set", "stereo width=0.9"});
    EXPECT_EQ(exact.channels, lowerCase.channels);
    EXPECT_LT(*measureStereo(exact).correlation, *measureStereo(input).correlation - 0.1) << "wider is less alike";
}

TEST_F(RenderCommand, TheDefaultModuleIsTheBuiltOne)
{
    const AudioClip byDefault = renderDemo("default-module.wav", {});
    const AudioClip named = renderDemo("named-module.wav", {"--plugin", environmentPath("VANTOR_MODULE")});
    EXPECT_EQ(byDefault.channels, named.channels);
}

TEST_F(RenderCommand, BlockSizeDoesNotChangeTheResult)
{
    const AudioClip usual = renderDemo("block-512.wav", {});
    EXPECT_EQ(renderDemo("block-333.wav", {"--block", "333"}).channels, usual.channels);
    EXPECT_EQ(renderDemo("block-1.wav", {"--block=1"}).channels, usual.channels);
}

TEST_F(RenderCommand, SummaryLineReportsTheRender)
{
    const CommandResult result = runRender({demoInputPath(), workPath("summary.wav"), "--set", "Stereo Width=0.8"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(workPath("summary.wav") + ": 10.00 s rendered in "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("x realtime); peak -3.0 dBFS -> "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("; stereo correlation 0.6"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\r'), std::string::npos) << "no progress bar off a terminal";
}

TEST_F(RenderCommand, QuietPrintsNothing)
{
    const CommandResult result = runRender({demoInputPath(), workPath("quiet.wav"), "--quiet"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST_F(RenderCommand, ProgressBarOnATerminal)
{
    // script(1) gives the renderer a terminal for its standard error.
    const std::string render = shellQuoted(environmentPath("VANTOR_RENDER")) + " " + shellQuoted(demoInputPath()) +
                               " " + shellQuoted(workPath("terminal.wav"));
    const CommandResult result = runShell("script -qec " + shellQuoted(render) + " /dev/null");
    ASSERT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_NE(result.out.find("rendering [####"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("] 100%"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("stereo correlation"), std::string::npos) << result.out;
}

TEST_F(RenderCommand, ListPrintsIndexNameAndValue)
{
    const CommandResult listed = runRender({"--list"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("  0  \"Active\"                 1.000000\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("  1  \"Stereo Width\"           0.500000\n"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find(" 41  \" \""), std::string::npos) << listed.out;
    EXPECT_EQ(std::count(listed.out.begin(), listed.out.end(), '\n'), 42);

    const CommandResult changed = runRender({"--set", "Stereo Width=0.8", "--list"});
    ASSERT_EQ(changed.exitCode, 0) << changed.err;
    EXPECT_NE(changed.out.find("\"Stereo Width\"           0.800000"), std::string::npos) << changed.out;
}

TEST_F(RenderCommand, ChunksRoundTripAsOpaqueBytes)
{
    const std::string saved = workPath("saved.chunk");
    const std::string again = workPath("saved-again.chunk");
    renderDemo("chunk-save.wav", {"--set", "Stereo Width=0.8", "--set", "Punch=0.25", "--save-chunk", saved});
    const std::vector<unsigned char> bank = fileBytes(saved);
    ASSERT_EQ(bank.size(), 2728u) << "a bank: one reserved word and one program";

    const CommandResult listed = runRender({"--chunk", saved, "--list"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_NE(listed.out.find("\"Stereo Width\"           0.800000"), std::string::npos) << listed.out;
    EXPECT_NE(listed.out.find("\"Punch\"                  0.250000"), std::string::npos) << listed.out;

    renderDemo("chunk-load.wav", {"--chunk", saved, "--save-chunk", again});
    EXPECT_EQ(fileBytes(again), bank);

    // The program form alone goes in as a preset.
    const std::string program = workPath("program.chunk");
    writeBytes(program, std::vector<unsigned char>(bank.begin() + 4, bank.end()));
    const CommandResult fromProgram = runRender({"--chunk", program, "--list"});
    ASSERT_EQ(fromProgram.exitCode, 0) << fromProgram.err;
    EXPECT_NE(fromProgram.out.find("\"Stereo Width\"           0.800000"), std::string::npos) << fromProgram.out;
}

TEST_F(RenderCommand, MonoInputFeedsBothChannelsWithANote)
{
    const std::string monoPath = workPath("mono-input.wav");
    writeAudioFile(monoPath, firstSecondWithChannels(1));
    const CommandResult result = runRender({monoPath, workPath("from-mono.wav"), "--align"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("note: " + monoPath + " is mono; feeding it to both channels"), std::string::npos)
        << result.err;
    const AudioClip output = readAudioFile(workPath("from-mono.wav"));
    ASSERT_EQ(output.channels.size(), 2u);
    EXPECT_EQ(output.channels[0], output.channels[1]);
    EXPECT_GT(largestMagnitude(output), 0.1f);
}

TEST_F(RenderCommand, MoreThanTwoChannelsFail)
{
    const std::string threeChannels = workPath("three-channels.wav");
    writeAudioFile(threeChannels, firstSecondWithChannels(3));
    const CommandResult result = runRender({threeChannels, workPath("from-three.wav")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("has 3 channels"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(workPath("from-three.wav")));
}

TEST_F(RenderCommand, BadCommandLinesExitWithTwo)
{
    const std::string in = demoInputPath();
    const std::string out = workPath("never.wav");
    const std::vector<std::vector<std::string>> bad = {
        {},
        {in},
        {in, out, "--block", "0"},
        {in, out, "--block", "70000"},
        {in, out, "--set", "Stereo Width=1.5"},
        {in, out, "--set", "Stereo Width"},
        {in, out, "--wide"},
        {in, out, "extra.wav"},
    };
    for (const std::vector<std::string>& arguments : bad)
    {
        const CommandResult result = runRender(arguments);
        EXPECT_EQ(result.exitCode, 2) << result.err;
        EXPECT_NE(result.err.find("vantor-render --help"), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(RenderCommand, HelpGoesToStandardOutput)
{
    const CommandResult result = runRender({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.rfind("usage: vantor-render IN OUT", 0), 0u) << result.out;
    EXPECT_NE(result.out.find(environmentPath("VANTOR_MODULE")), std::string::npos) << "names the default module";
    EXPECT_EQ(result.err, "");
}

TEST_F(RenderCommand, MissingOrUnreadableInputFails)
{
    const CommandResult missing = runRender({workPath("no-such-input.wav"), workPath("never.wav")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no-such-input.wav: no such file"), std::string::npos) << missing.err;

    const std::string text = workPath("not-audio.wav");
    std::ofstream(text) << "plain text, not audio\n";
    const CommandResult unreadable = runRender({text, workPath("never.wav")});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_NE(unreadable.err.find("cannot read this file as audio"), std::string::npos) << unreadable.err;
}

TEST_F(RenderCommand, ModulesWithoutVstPluginMainFail)
{
    const CommandResult result =
        runRender({demoInputPath(), workPath("never.wav"), "--plugin", environmentPath("VANTOR_NOT_A_PLUGIN")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("exports no VSTPluginMain"), std::string::npos) << result.err;

    const CommandResult missing = runRender({"--list", "--plugin", workPath("no-such-module.so")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no such plug-in module"), std::string::npos) << missing.err;
}

TEST_F(RenderCommand, UnknownParameterNamesFail)
{
    const CommandResult result = runRender({demoInputPath(), workPath("never.wav"), "--set", "Width=0.5"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("no parameter called \"Width\""), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("vantor-render --list"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(workPath("never.wav")));
}

TEST_F(RenderCommand, TheExtensionPicksTheOutputFormat)
{
    const AudioClip asWav = renderDemo("format.wav", {"--align"});
    EXPECT_EQ(storedFormat(workPath("format.wav")), SF_FORMAT_WAV | SF_FORMAT_FLOAT);

    const AudioClip asFlac = renderDemo("format.flac", {"--align"});
    EXPECT_EQ(storedFormat(workPath("format.flac")), SF_FORMAT_FLAC | SF_FORMAT_PCM_24);
    EXPECT_LE(largestDifference(asFlac, asWav, 0, 0), 2.0f / 8388608.0f) << "24-bit rounding only";

    renderDemo("format.aiff", {});
    EXPECT_EQ(storedFormat(workPath("format.aiff")), SF_FORMAT_AIFF | SF_FORMAT_FLOAT);

    const CommandResult unknown = runRender({demoInputPath(), workPath("format.xyz")});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("no audio format is known for the extension \".xyz\""), std::string::npos)
        << unknown.err;
}

TEST_F(RenderCommand, TheInputSampleRateIsKept)
{
    AudioClip at48k = firstSecondWithChannels(2);
    at48k.sampleRate = 48000;
    writeAudioFile(workPath("input-48k.flac"), at48k);
    const CommandResult result = runRender({workPath("input-48k.flac"), workPath("output-48k.wav"), "--align"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const AudioClip output = readAudioFile(workPath("output-48k.wav"));
    EXPECT_EQ(output.sampleRate, 48000);
    EXPECT_EQ(output.frames(), at48k.frames());
}

}  // namespace

TEST_F(RenderCommand, TheClapVst3AndLv2PluginsRenderTheSameAsTheVstModule)
{
    const std::vector<std::string> settings = {"--set", "Stereo Width=0.8", "--set", "Punch=0.7", "--block", "333"};
    const AudioClip viaVst = renderDemo("vst-wide.wav", settings);
    const std::pair<const char*, const char*> formats[] = {
        {"clap", "VANTOR_CLAP_MODULE"}, {"vst3", "VANTOR_VST3_BUNDLE"}, {"lv2", "VANTOR_LV2_BUNDLE"}};
    for (const auto& [format, variable] : formats)
    {
        SCOPED_TRACE(format);
        const std::string module = environmentPath(variable);
        std::vector<std::string> options = settings;
        const std::string state = workPath(std::string(format) + ".state");
        options.insert(options.end(), {"--plugin", module, "--save-chunk", state, "--align"});
        renderDemo(std::string(format) + "-wide-aligned.wav", options);
        options.resize(options.size() - 3);
        EXPECT_EQ(renderDemo(std::string(format) + "-wide.wav", options).channels, viaVst.channels);

        // Its state is the VST 2.4 program chunk, which the VST module takes as it is.
        ASSERT_EQ(fileBytes(state).size(), 2724u);
        EXPECT_EQ(renderDemo(std::string(format) + "-state-in-vst.wav", {"--chunk", state, "--block", "333"}).channels,
                  viaVst.channels);
        // An LV2 host holds its control values itself and cannot read them back from a state.
        if (std::string(format) == "lv2")
            continue;
        const CommandResult listed = runRender({"--plugin", module, "--chunk", state, "--list"});
        ASSERT_EQ(listed.exitCode, 0) << listed.err;
        EXPECT_NE(listed.out.find("\"Stereo Width\"           0.800000"), std::string::npos) << listed.out;
    }
}

TEST_F(RenderCommand, ATimedSettingTakesEffectAtItsSampleInEveryFormat)
{
    constexpr std::size_t kChangeAt = 20000;  // inside a block of 333, past the latency
    const std::vector<std::string> change = {"--set-at", "Stereo Width=0@" + std::to_string(kChangeAt), "--block",
                                             "333"};
    const AudioClip plain = renderDemo("timed-plain.wav", {"--block", "333"});
    const AudioClip viaVst = renderDemo("timed-vst.wav", change);
    for (const char* module : {"VANTOR_CLAP_MODULE", "VANTOR_VST3_BUNDLE", "VANTOR_LV2_BUNDLE"})
    {
        std::vector<std::string> options = change;
        options.insert(options.end(), {"--plugin", environmentPath(module)});
        EXPECT_EQ(renderDemo(std::string("timed-") + module + ".wav", options).channels, viaVst.channels) << module;
    }
    for (std::size_t c = 0; c < 2; ++c)
    {
        const auto& changed = viaVst.channels[c];
        const auto& unchanged = plain.channels[c];
        const auto first = std::mismatch(changed.begin(), changed.end(), unchanged.begin()).first;
        EXPECT_EQ(static_cast<std::size_t>(first - changed.begin()), kChangeAt) << "channel " << c;
    }
    // From there on, a mono image: both channels alike.
    EXPECT_TRUE(std::equal(viaVst.channels[0].begin() + kChangeAt, viaVst.channels[0].end(),
                           viaVst.channels[1].begin() + kChangeAt));

    EXPECT_EQ(runRender({demoInputPath(), workPath("x.wav"), "--set-at", "Stereo Width=0"}).exitCode, 2);
    EXPECT_EQ(runRender({demoInputPath(), workPath("x.wav"), "--set-at", "Stereo Width=0@-5"}).exitCode, 2);
    EXPECT_EQ(runRender({demoInputPath(), workPath("x.wav"), "--set-at", "Nothing=0@5"}).exitCode, 1);
}
