// vantor-render: renders an audio file offline through a VST 2.4 plug-in module, loaded
// through VSTPluginMain as a host loads it, or through a CLAP one (.clap), a VST3 one (.vst3)
// or an LV2 bundle (.lv2).

#include "ChunkFile.h"
#include "DefaultPlugin.h"
#include "FileImageReport.h"
#include "OfflineRender.h"
#include "OutputFormat.h"
#include "PluginSession.h"
#include "ProgramEnvironment.h"
#include "ProgressBar.h"
#include "RenderErrors.h"
#include "RenderOptions.h"
#include "RenderSummary.h"
#include "ReportFiles.h"
#include "SignalStats.h"
#include "SoundFileReader.h"
#include "SoundFileWriter.h"
#include "presets/FxpFileOnDisk.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace
{

// Short renders finish before a bar would be worth drawing.
constexpr double kProgressMinimumSeconds = 5.0;
constexpr int kListingSampleRate = 44100;

void note(const RenderOptions& options, const std::string& message)
{
    if (!options.quiet)
        std::fprintf(stderr, "vantor-render: %s\n", message.c_str());
}

void requireMonoOrStereo(const SoundFileReader& input, const RenderOptions& options)
{
    if (input.channelCount() == 1)
        note(options, "note: " + options.inputPath + " is mono; feeding it to both channels");
    else if (input.channelCount() != 2)
        throw RenderFailure(options.inputPath + ": has " + std::to_string(input.channelCount()) +
                            " channels; only mono and stereo files can be rendered");
}

std::vector<unsigned char> readPresetChunk(const std::string& path)
{
    const FxpReading preset = readFxpFile(path);
    if (!preset.accepted())
        throw RenderFailure(path + ": not loaded, " + fxpProblemText(preset.problem));
    return {preset.chunk.begin(), preset.chunk.end()};
}

void configureSession(PluginSession& session, const RenderOptions& options)
{
    if (!options.chunkPath.empty() && !session.loadChunk(readChunkFile(options.chunkPath)))
        note(options, "warning: the plug-in did not confirm that it took the chunk in " + options.chunkPath);
    if (!options.presetPath.empty() && !session.loadChunk(readPresetChunk(options.presetPath)))
        throw RenderFailure(options.presetPath + ": the plug-in did not take the preset");
    if (options.settings.empty())
        return;
    const std::vector<ParameterInfo> parameters = session.parameters();
    for (const ParameterSetting& setting : options.settings)
        session.setParameter(findParameterIndex(parameters, setting.name), setting.value);
}

void printParameters(const PluginSession& session)
{
    for (const ParameterInfo& parameter : session.parameters())
    {
        const std::string quotedName = "\"" + parameter.name + "\"";
        std::printf("%3d  %-24s %.6f\n", parameter.index, quotedName.c_str(), parameter.value);
    }
    std::fflush(stdout);
}

void listOnly(const RenderOptions& options)
{
    const auto session = openPluginSession(options.pluginPath, kListingSampleRate, options.blockSize);
    configureSession(*session, options);
    printParameters(*session);
}

bool showsProgress(const RenderOptions& options, const SoundFileReader& input)
{
    const double statedSeconds = static_cast<double>(input.statedFrames()) / input.sampleRate();
    return !options.quiet && stderrIsTerminal() && statedSeconds > kProgressMinimumSeconds;
}

void analyseOnly(const RenderOptions& options)
{
    requireReportFolders(options);
    SoundFileReader input(options.inputPath);
    requireMonoOrStereo(input, options);
    const bool showProgress = showsProgress(options, input);
    ProgressBar progress(stderr, "analysing");
    const ImageReport report = analyseFile(options.inputPath, input,
                                           [&](double fraction)
                                           {
                                               if (showProgress)
                                                   progress.show(fraction);
                                           });
    progress.finish();
    deliverReport(options, report, nullptr);
}

void render(const RenderOptions& options)
{
    SoundFileReader input(options.inputPath);
    requireMonoOrStereo(input, options);
    // Refuse an unwritable output before the work rather than after it.
    outputFormatFor(options.outputPath, input.sampleRate(), 2);
    requireReportFolders(options);
    std::optional<RenderImageReports> reports;
    if (options.wantsReport())
        reports.emplace(options, input.sampleRate());
    const auto session = openPluginSession(options.pluginPath, input.sampleRate(), options.blockSize);
    configureSession(*session, options);
    if (options.list)
        printParameters(*session);
    std::vector<TimedChange> changes;
    const std::vector<ParameterInfo> parameters = session->parameters();
    for (const TimedSetting& timed : options.timedSettings)
        changes.push_back({timed.frame, findParameterIndex(parameters, timed.setting.name), timed.setting.value});

    const bool showProgress = showsProgress(options, input);
    ProgressBar progress(stderr);
    const auto reportProgress = [&](double fraction)
    {
        if (showProgress)
            progress.show(fraction);
    };
    const auto started = std::chrono::steady_clock::now();
    SoundFileWriter output(options.outputPath, input.sampleRate(), 2);
    const StreamedRender rendered = renderThroughPlugin(*session, input, output, options.align, reportProgress, changes,
                                                        reports ? reports->taps() : StreamTaps{});
    progress.finish();

    if (!options.saveChunkPath.empty())
        writeChunkFile(options.saveChunkPath, session->saveChunk());
    output.commit();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    if (!options.quiet)
    {
        const double seconds = static_cast<double>(rendered.frames) / input.sampleRate();
        const RenderReport report{options.outputPath, seconds, elapsed.count(), rendered.input, rendered.output};
        std::fprintf(stderr, "%s\n", summaryLine(report).c_str());
    }
    if (reports)
        reports->deliver(options);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::string defaultPlugin = findDefaultPlugin(currentPluginPlaces());
    RenderOptions options;
    try
    {
        options = parseRenderOptions(arguments, defaultPlugin);
    }
    catch (const UsageError& error)
    {
        std::fprintf(stderr, "vantor-render: %s\nTry 'vantor-render --help' for more information.\n", error.what());
        return 2;
    }
    if (options.help)
    {
        std::fputs(renderUsageText(defaultPlugin).c_str(), stdout);
        return 0;
    }
    try
    {
        if (options.analyzeOnly)
            analyseOnly(options);
        else if (options.pluginPath.empty())
            throw RenderFailure("found no Vantor Pro module beside this program or where it is installed; "
                                "give one with --plugin PATH");
        else if (options.rendersAudio())
            render(options);
        else
            listOnly(options);
        return 0;
    }
    catch (const std::exception& failure)
    {
        std::fprintf(stderr, "vantor-render: %s\n", failure.what());
        return 1;
    }
}
