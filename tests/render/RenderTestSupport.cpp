#include "RenderTestSupport.h"

#include "AudioFile.h"
#include "support/FileBytes.h"

#include <sys/wait.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <stdexcept>

std::string environmentPath(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        throw std::runtime_error(std::string(name) + " is not set; run the tests through CTest");
    return value;
}

std::string workPath(const std::string& name)
{
    static const std::string folder = []
    {
        const std::string path = environmentPath("VANTOR_RENDER_WORK_DIR");
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder + "/" + name;
}

std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
    {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

CommandResult runShell(const std::string& commandLine)
{
    static std::atomic<int> runNumber{0};
    const std::string stem = workPath("command-" + std::to_string(++runNumber));
    const std::string outPath = stem + ".out";
    const std::string errPath = stem + ".err";
    const std::string full = "( " + commandLine + " ) <" + shellQuoted("/dev/null") + " >" + shellQuoted(outPath) +
                             " 2>" + shellQuoted(errPath);
    const int status = std::system(full.c_str());
    CommandResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = fileText(outPath);
    result.err = fileText(errPath);
    return result;
}

CommandResult runRender(const std::vector<std::string>& arguments)
{
    std::string commandLine = shellQuoted(environmentPath("VANTOR_RENDER"));
    for (const std::string& argument : arguments)
    {
        commandLine += ' ';
        commandLine += shellQuoted(argument);
    }
    return runShell(commandLine);
}

const std::string& demoInputPath()
{
    static const std::string path = []
    {
        const std::string target = workPath("demo-input.wav");
        const CommandResult made =
            runShell(shellQuoted(environmentPath("VANTOR_DEMO_SIGNAL")) + " " + shellQuoted(target));
        if (made.exitCode != 0)
            throw std::runtime_error("vantor-demo-signal failed: " + made.err);
        return target;
    }();
    return path;
}

float largestDifference(const AudioClip& actual, const AudioClip& expected, std::size_t delay, std::size_t from)
{
    float largest = 0.0f;
    for (std::size_t c = 0; c < actual.channels.size(); ++c)
    {
        for (std::size_t t = std::max(from, delay); t < actual.frames() && t - delay < expected.frames(); ++t)
        {
            const float difference = std::fabs(actual.channels[c][t] - expected.channels[c][t - delay]);
            if (std::isnan(difference))
                return std::numeric_limits<float>::infinity();
            largest = std::max(largest, difference);
        }
    }
    return largest;
}

float largestMagnitude(const AudioClip& clip)
{
    float largest = 0.0f;
    for (const std::vector<float>& channel : clip.channels)
    {
        for (const float sample : channel)
        {
            if (std::isnan(sample))
                return std::numeric_limits<float>::infinity();
            largest = std::max(largest, std::fabs(sample));
        }
    }
    return largest;
}
