#pragma once

#include "presets/FxpFile.h"

#include <string>
#include <string_view>

// Reads a program file from disk: at most one byte more than a program file holds, so a
// huge file costs nothing and still reads as the wrong size.
FxpReading readFxpFile(const std::string& path);

// Writes a program file beside its place and moves it there in one step: a reader never
// sees half a file. An existing file of that path is replaced. False when it could not be
// written (nothing of it is left behind).
bool writeFxpFile(const std::string& path, std::string_view name, const ProgramChunk& chunk);
