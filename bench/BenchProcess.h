#pragma once

#include <string>

// What the editor benchmarks ask of the process they run in, on Linux and on Windows.

// CPU milliseconds the process has used so far, every thread counted.
double processCpuMs();
// The process's resident memory (Windows: its working set), in megabytes.
double residentMegabytes();
// The running program's own file, to start it again as a fresh process.
std::string ownExecutablePath();
// Sets a variable of this process's environment, which the processes it starts inherit.
void setEnvironment(const char* name, const std::string& value);
