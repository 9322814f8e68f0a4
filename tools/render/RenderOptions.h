#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct ParameterSetting
{
    std::string name;
    float value = 0.0f;  // normalised 0..1
};

// A setting from a given input sample on.
struct TimedSetting
{
    ParameterSetting setting;
    std::size_t frame = 0;
};

struct RenderOptions
{
    std::string inputPath;
    std::string outputPath;
    std::string pluginPath;
    std::vector<ParameterSetting> settings;
    std::vector<TimedSetting> timedSettings;  // in frame order
    std::string chunkPath;                    // loaded before rendering when not empty
    std::string presetPath;                   // a VST program file (.fxp), loaded as chunkPath is
    std::string saveChunkPath;                // written after rendering when not empty
    std::string reportPath;                   // the stereo report's picture (PNG) when not empty
    std::string reportJsonPath;               // its numbers as JSON when not empty
    int blockSize = 512;
    bool align = false;
    bool list = false;
    bool quiet = false;
    bool help = false;
    bool analyzeOnly = false;  // IN alone, measured for the report, nothing processed

    bool rendersAudio() const { return !inputPath.empty() && !analyzeOnly; }
    bool wantsReport() const { return !reportPath.empty() || !reportJsonPath.empty(); }
};

constexpr int kMaxBlockSize = 65536;

// Reads the arguments after the program name; throws UsageError when they make no valid
// command. pluginPath starts as defaultPluginPath unless --plugin overrides it.
RenderOptions parseRenderOptions(const std::vector<std::string>& arguments, const std::string& defaultPluginPath);

std::string renderUsageText(const std::string& defaultPluginPath);
