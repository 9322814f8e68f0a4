// vantor-render streams: files longer than one pass come out as if rendered in one piece,
// its memory stays the same whatever the length of the file, and its output file only
// appears, whole, once the render has succeeded.

#include "AudioFile.h"
#include "OfflineRender.h"
#include "ParameterLookup.h"
#include "PluginSession.h"
#include "RenderOptions.h"
#include "RenderTestSupport.h"
#include "SignalStats.h"
#include "support/FileBytes.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{

// Not a multiple of any pass, so blocks straddle the pass boundaries.
constexpr int kOddBlock = 333;

// Settings that make every pass of the engine do work.
const std::vector<ParameterSetting> kWideAndPunchy = {{"Stereo Width", 0.9f}, {"Punch", 0.8f}};

// The whole input in memory, processed block by block: the renderer's output before it
// streamed, and what a one-block render gives.
AudioClip renderInOnePiece(const AudioClip& input, int block, bool align)
{
    const auto opened = openPluginSession(environmentPath("VANTOR_MODULE"), input.sampleRate, block);
    PluginSession& session = *opened;
    for (const ParameterSetting& setting : kWideAndPunchy)
        session.setParameter(findParameterIndex(session.parameters(), setting.name), setting.value);
    session.resume();
    const std::size_t skipped = align ? static_cast<std::size_t>(session.latency()) : 0;
    const std::size_t frames = input.frames();
    AudioClip output{input.sampleRate, {std::vector<float>(frames), std::vector<float>(frames)}};
    std::vector<float> inLeft(block), inRight(block), outLeft(block), outRight(block);
    for (std::size_t start = 0; start < frames + skipped; start += block)
    {
        const std::size_t count = std::min<std::size_t>(block, frames + skipped - start);
        for (std::size_t i = 0; i < count; ++i)
        {
            inLeft[i] = start + i < frames ? input.channels[0][start + i] : 0.0f;
            inRight[i] = start + i < frames ? input.channels[1][start + i] : 0.0f;
        }
        session.process(inLeft.data(), inRight.data(), outLeft.data(), outRight.data(), static_cast<int>(count));
        for (std::size_t i = 0; i < count; ++i)
        {
            if (start + i >= skipped)
            {
                output.channels[0][start + i - skipped] = outLeft[i];
                output.channels[1][start + i - skipped] = outRight[i];
            }
        }
    }
    return output;
}

std::string correlationText(const AudioClip& clip)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", *measureStereo(clip).correlation);
    return text;
}

// A stereo test signal of the given length: two detuned tones with a little noise.
AudioClip tones(double seconds)
{
    const auto frames = static_cast<std::size_t>(seconds * 44100.0);
    AudioClip clip{44100, {std::vector<float>(frames), std::vector<float>(frames)}};
    unsigned noise = 1;
    for (std::size_t i = 0; i < frames; ++i)
    {
        noise = noise * 1664525u + 1013904223u;
        const float hiss = 0.05f * (static_cast<float>(noise >> 9) / 8388608.0f - 0.5f);
        clip.channels[0][i] = 0.4f * std::sin(0.031f * static_cast<float>(i)) + hiss;
        clip.channels[1][i] = 0.4f * std::sin(0.029f * static_cast<float>(i)) - hiss;
    }
    return clip;
}

// The largest resident set, in kilobytes, of one vantor-render run.
long peakResidentKilobytes(const std::vector<std::string>& arguments)
{
    const std::string program = environmentPath("VANTOR_RENDER");
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0)
    {
        std::freopen("/dev/null", "w", stderr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

TEST(RenderStreaming, AFileOfManyPassesEqualsARenderInOnePiece)
{
    const AudioClip input = readAudioFile(demoInputPath());
    ASSERT_GT(input.frames(), 3 * kStreamFrames) << "the demo must span several passes";
    for (const bool align : {false, true})
    {
        const std::string out = workPath(align ? "streamed-aligned.wav" : "streamed.wav");
        std::vector<std::string> arguments = {demoInputPath(), out, "--block", std::to_string(kOddBlock)};
        for (const ParameterSetting& setting : kWideAndPunchy)
            arguments.insert(arguments.end(), {"--set", setting.name + "=" + std::to_string(setting.value)});
        if (align)
            arguments.push_back("--align");
        const CommandResult result = runRender(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;

        const AudioClip streamed = readAudioFile(out);
        const AudioClip expected = renderInOnePiece(input, kOddBlock, align);
        EXPECT_EQ(streamed.channels, expected.channels) << (align ? "with --align" : "without --align");
        // The statistics gathered while streaming are those of the whole files.
        const std::string statistics =
            "stereo correlation " + correlationText(input) + " -> " + correlationText(expected);
        EXPECT_NE(result.err.find(statistics), std::string::npos) << result.err;
    }
}

TEST(RenderStreaming, MemoryDoesNotGrowWithTheFileLength)
{
    const std::string shortInput = workPath("tones-5s.wav");
    const std::string longInput = workPath("tones-60s.wav");
    writeAudioFile(shortInput, tones(5.0));
    writeAudioFile(longInput, tones(60.0));
    const long shortPeak = peakResidentKilobytes({shortInput, workPath("tones-5s-out.wav"), "--align"});
    const long longPeak = peakResidentKilobytes({longInput, workPath("tones-60s-out.wav"), "--align"});
    ASSERT_GT(shortPeak, 0);
    ASSERT_GT(longPeak, 0);
    // Holding the files would take 2 x 21 MB more for the long one.
    EXPECT_LT(longPeak - shortPeak, 2048) << shortPeak << " kB for 5 s, " << longPeak << " kB for 60 s";
}

TEST(RenderStreaming, AReportOfTenMinutesNeedsNoMoreMemoryThanOneOfFiveSeconds)
{
    const std::string shortInput = workPath("tones-5s.wav");
    const std::string longInput = workPath("tones-600s.wav");
    writeAudioFile(shortInput, tones(5.0));
    writeAudioFile(longInput, tones(600.0));
    const auto reportedPeak = [](const std::string& input, const std::string& name)
    {
        return peakResidentKilobytes({input, workPath(name + ".wav"), "--report", workPath(name + ".png"),
                                      "--report-json", workPath(name + ".json")});
    };
    const long shortPeak = reportedPeak(shortInput, "report-5s");
    const long longPeak = reportedPeak(longInput, "report-600s");
    std::filesystem::remove(longInput);
    std::filesystem::remove(workPath("report-600s.wav"));
    ASSERT_GT(shortPeak, 0);
    ASSERT_GT(longPeak, 0);
    // Ten minutes of either file would be 212 MB; 600 seconds' correlations are 2.4 kB.
    EXPECT_LT(longPeak - shortPeak, 2048) << shortPeak << " kB for 5 s, " << longPeak << " kB for 600 s";
}

TEST(RenderStreaming, TheOutputAppearsOnlyWhenTheRenderSucceeds)
{
    // A render that fails after the audio (the chunk file cannot be written) keeps the
    // file already at OUT and leaves nothing half-written beside it.
    const std::string out = workPath("kept.wav");
    writeAudioFile(out, tones(0.5));
    const std::vector<unsigned char> before = fileBytes(out);
    const CommandResult failed =
        runRender({demoInputPath(), out, "--save-chunk", workPath("no-such-folder/state.chunk")});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_NE(failed.err.find("cannot write the chunk file"), std::string::npos) << failed.err;
    EXPECT_EQ(fileBytes(out), before);
    EXPECT_FALSE(std::filesystem::exists(out + ".partial"));

    // Streaming never reads what it has just written: OUT may be IN.
    const std::string input = workPath("in-place.wav");
    std::filesystem::copy_file(demoInputPath(), input, std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(runRender({input, workPath("separate.wav"), "--align"}).exitCode, 0);
    ASSERT_EQ(runRender({input, input, "--align"}).exitCode, 0);
    EXPECT_EQ(fileBytes(input), fileBytes(workPath("separate.wav")));
}

}  // namespace
