#pragma once

#include "AudioClip.h"

#include <cstddef>
#include <string>
#include <vector>

// Runs the built programs as a shell user would and reads back what they wrote. Paths come
// from the environment CTest sets: VANTOR_RENDER, VANTOR_DEMO_SIGNAL, VANTOR_MODULE,
// VANTOR_NOT_A_PLUGIN and VANTOR_RENDER_WORK_DIR.

struct CommandResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string environmentPath(const char* name);
// A file name inside this test program's own work folder.
std::string workPath(const std::string& name);

// Runs vantor-render with arguments, standard input empty, both outputs captured.
CommandResult runRender(const std::vector<std::string>& arguments);
// Runs a whole shell command line; for the cases a plain argument list cannot express.
CommandResult runShell(const std::string& commandLine);
std::string shellQuoted(const std::string& text);

// The demo material from vantor-demo-signal, written once per test program.
const std::string& demoInputPath();

// The largest |actual[t] - expected[t - delay]| over t >= from on every channel; infinity
// when a NaN turns up.
float largestDifference(const AudioClip& actual, const AudioClip& expected, std::size_t delay, std::size_t from);
float largestMagnitude(const AudioClip& clip); // infinity for a NaN
