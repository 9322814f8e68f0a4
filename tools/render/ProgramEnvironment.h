#pragma once

#include <string>

// What vantor-render asks of the system it runs on.

// The folder holding this program's executable, without a trailing separator; empty when the
// system does not say.
std::string executableFolder();
// Whether standard error is a terminal, where a progress bar redrawn in place makes sense.
bool stderrIsTerminal();
// The environment variable NAME, or empty.
std::string environmentValue(const char* name);
