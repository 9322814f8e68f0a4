#include "RenderOptions.h"

#include "RenderErrors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace
{

bool isFlag(const std::string& option)
{
    return option == "--align" || option == "--list" || option == "--quiet" || option == "--analyze-only" ||
           option == "--help" || option == "-h";
}

bool takesValue(const std::string& option)
{
    return option == "--plugin" || option == "--set" || option == "--set-at" || option == "--chunk" ||
           option == "--preset" || option == "--save-chunk" || option == "--block" || option == "--report" ||
           option == "--report-json";
}

void applyFlag(RenderOptions& options, const std::string& flag)
{
    if (flag == "--align")
        options.align = true;
    else if (flag == "--list")
        options.list = true;
    else if (flag == "--quiet")
        options.quiet = true;
    else if (flag == "--analyze-only")
        options.analyzeOnly = true;
    else
        options.help = true;
}

float parseNormalisedValue(const std::string& text, const std::string& setting)
{
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
        throw UsageError("--set " + setting + ": the value must be a number from 0 to 1");
    if (value < 0.0f || value > 1.0f)
        throw UsageError("--set " + setting + ": the value is normalised and must lie from 0 to 1");
    return value;
}

// Splits at the last '=' so that a name containing '=' still works: values never hold one.
ParameterSetting parseSetting(const std::string& text)
{
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0)
        throw UsageError("--set takes NAME=VALUE, got \"" + text + "\"");
    return {text.substr(0, equals), parseNormalisedValue(text.substr(equals + 1), text)};
}

// NAME=VALUE@SAMPLE: split at the last '@', then as --set.
TimedSetting parseTimedSetting(const std::string& text)
{
    const std::size_t at = text.rfind('@');
    std::size_t frame = 0;
    const char* first = text.data() + (at == std::string::npos ? text.size() : at + 1);
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), frame);
    if (at == std::string::npos || error != std::errc() || end != text.data() + text.size() ||
        first == text.data() + text.size())
        throw UsageError("--set-at takes NAME=VALUE@SAMPLE, got \"" + text + "\"");
    return {parseSetting(text.substr(0, at)), frame};
}

int parseBlockSize(const std::string& text)
{
    int blockSize = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), blockSize);
    if (error != std::errc() || end != text.data() + text.size() || blockSize < 1 || blockSize > kMaxBlockSize)
        throw UsageError("--block takes a whole number from 1 to " + std::to_string(kMaxBlockSize) + ", got \"" + text +
                         "\"");
    return blockSize;
}

void applyValueOption(RenderOptions& options, const std::string& option, const std::string& value)
{
    if (value.empty())
        throw UsageError(option + " needs a value");
    if (option == "--plugin")
        options.pluginPath = value;
    else if (option == "--set")
        options.settings.push_back(parseSetting(value));
    else if (option == "--set-at")
    {
        const TimedSetting timed = parseTimedSetting(value);
        const auto later =
            std::upper_bound(options.timedSettings.begin(), options.timedSettings.end(), timed.frame,
                             [](std::size_t frame, const TimedSetting& other) { return frame < other.frame; });
        options.timedSettings.insert(later, timed);
    }
    else if (option == "--chunk")
        options.chunkPath = value;
    else if (option == "--preset")
        options.presetPath = value;
    else if (option == "--save-chunk")
        options.saveChunkPath = value;
    else if (option == "--report")
        options.reportPath = value;
    else if (option == "--report-json")
        options.reportJsonPath = value;
    else
        options.blockSize = parseBlockSize(value);
}

// Analysing loads no plug-in and writes no audio: options for either would be silently lost.
void placeAnalysedFile(RenderOptions& options, const std::vector<std::string>& files)
{
    if (files.size() != 1)
        throw UsageError("--analyze-only takes IN alone, got " + std::to_string(files.size()) + " files");
    if (!options.settings.empty() || !options.timedSettings.empty() || !options.chunkPath.empty() ||
        !options.presetPath.empty() || !options.saveChunkPath.empty() || options.align || options.list)
        throw UsageError("--analyze-only processes nothing: drop --set, --set-at, --chunk, --preset, --save-chunk, "
                         "--align and --list");
    options.inputPath = files[0];
}

void placeFileArguments(RenderOptions& options, const std::vector<std::string>& files)
{
    if (options.analyzeOnly)
    {
        placeAnalysedFile(options, files);
        return;
    }
    if (files.size() > 2)
        throw UsageError("too many arguments: expected IN and OUT, got " + std::to_string(files.size()) + " files");
    if (files.size() == 2)
    {
        options.inputPath = files[0];
        options.outputPath = files[1];
        return;
    }
    if (files.size() == 1)
        throw UsageError("missing OUT: give both an input and an output file");
    if (!options.list)
        throw UsageError("missing IN and OUT");
    if (options.wantsReport())
        throw UsageError("a report needs IN (and OUT, or --analyze-only)");
}

}  // namespace

RenderOptions parseRenderOptions(const std::vector<std::string>& arguments, const std::string& defaultPluginPath)
{
    RenderOptions options;
    options.pluginPath = defaultPluginPath;
    std::vector<std::string> files;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i)
    {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-')
        {
            files.push_back(argument);
            continue;
        }
        if (argument == "--")
        {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string option = argument.substr(0, equals);
        if (isFlag(option))
        {
            if (equals != std::string::npos)
                throw UsageError(option + " takes no value");
            applyFlag(options, option);
        }
        else if (takesValue(option))
        {
            if (equals == std::string::npos && i + 1 == arguments.size())
                throw UsageError(option + " needs a value");
            applyValueOption(options, option,
                             equals != std::string::npos ? argument.substr(equals + 1) : arguments[++i]);
        }
        else
        {
            throw UsageError("unknown option " + option);
        }
    }
    if (!options.chunkPath.empty() && !options.presetPath.empty())
        throw UsageError("--chunk and --preset both load a setting: give one");
    if (!options.help)
        placeFileArguments(options, files);
    return options;
}

std::string renderUsageText(const std::string& defaultPluginPath)
{
    return "usage: vantor-render IN OUT [--plugin PATH] [--set NAME=VALUE]... [--set-at NAME=VALUE@SAMPLE]...\n"
           "                    [--chunk FILE | --preset FILE] [--save-chunk FILE] [--block N] [--align] [--list]\n"
           "                    [--report FILE.png] [--report-json FILE] [--quiet]\n"
           "       vantor-render IN --analyze-only [--report FILE.png] [--report-json FILE] [--quiet]\n"
           "       vantor-render --list [--plugin PATH] [--chunk FILE | --preset FILE] [--set NAME=VALUE]...\n"
           "\n"
           "Renders the audio file IN through a VST 2.4 plug-in, a CLAP one (a .clap file), a VST3\n"
           "one (a .vst3 bundle) or, on Linux, an LV2 one (a .lv2 bundle), into OUT, offline, loading\n"
           "the plug-in module as a host does. Reads and writes every format libsndfile handles: the\n"
           "extension of OUT picks its format (.wav is written as 32-bit float) and the sample rate\n"
           "of IN is kept. Mono input feeds both channels; more than two channels is an error.\n"
           "\n"
           "  --plugin PATH      the plug-in module file, or VST3 or LV2 bundle\n"
           "                     (default: the Vantor Pro module installed with this program,\n"
           "                     " +
           (defaultPluginPath.empty() ? std::string("none found") : defaultPluginPath) +
           ")\n"
           "  --set NAME=VALUE   set the parameter NAME, as --list shows it, to VALUE (normalised\n"
           "                     0..1); may be repeated\n"
           "  --set-at NAME=VALUE@SAMPLE\n"
           "                     the same from input sample SAMPLE on (counted from 0), exactly\n"
           "                     there whatever the block size; may be repeated\n"
           "  --chunk FILE       load the plug-in state in FILE before rendering (a CLAP plug-in's\n"
           "                     state stream, a VST3 one's component state, an LV2 one's program\n"
           "                     chunk)\n"
           "  --preset FILE      load the Vantor Pro preset FILE (a VST program file, .fxp) before\n"
           "                     rendering; a file it cannot take is refused, saying why\n"
           "  --save-chunk FILE  save the plug-in state into FILE after rendering\n"
           "  --block N          process N samples at a time, 1.." +
           std::to_string(kMaxBlockSize) +
           " (default 512)\n"
           "  --align            compensate the plug-in's latency so OUT lines up with IN\n"
           "  --list             print each parameter's index, name and value; IN and OUT are\n"
           "                     optional\n"
           "  --report FILE.png  write the stereo report of IN and OUT as a picture (below)\n"
           "  --report-json FILE write the report's numbers as JSON\n"
           "  --analyze-only     process nothing: measure IN alone for the report; its numbers\n"
           "                     are printed, and --report and --report-json write them\n"
           "  --quiet            print nothing but errors\n"
           "  -h, --help         print this help and exit\n"
           "\n"
           "The stereo report measures IN and OUT (IN alone with --analyze-only) as the editor's\n"
           "Scope does, while the files stream, and prints one line of headline numbers for each:\n"
           "  correlation  the Scope's 0.3 s correlation of left with right, read every 0.1 s; each\n"
           "               second is the mean of its readings; 'mean' is the plain mean over the\n"
           "               seconds that are not silent (below -90 dBFS), 'lowest' the lowest second\n"
           "               and when it began: +1 mono, 0 unrelated or one channel, -1 out of phase\n"
           "  width        side energy over mid energy (S = (R - L)/sqrt 2, M = (L + R)/sqrt 2):\n"
           "               0 mono, 1 as much side as mid, at most 100 (side alone)\n"
           "  balance      (R^2 - L^2) / (R^2 + L^2), the Scope's 0.3 s readings averaged: -1 left\n"
           "               only, +1 right only\n"
           "  level        RMS of both channels over the whole file, and the peak, in dBFS\n"
           "The picture adds, for each file, the goniometer's density (mid up, side across, how\n"
           "often each point occurred, brighter is more often, on a log scale), the correlation\n"
           "of every second with the lowest marked, and the width per third-octave band\n"
           "(25 Hz to 20 kHz). The JSON holds the same numbers, the per-band widths and the\n"
           "per-second correlations.\n"
           "\n"
           "Exit status: 0 on success, 1 when the work fails, 2 for a bad command line.\n";
}
