#pragma once

#include <string>
#include <vector>

// Where vantor-render looks for the Vantor Pro module when no --plugin is given, in order:
//   the archive: its "Vantor Pro" folder beside the program's own folder;
//   Linux, the Debian package: /usr/bin/vantor-render and /usr/lib/vst/Vantor Pro;
//   the build: the module this build made, for the program in the build folder only
//   (builtModule; empty otherwise);
//   Windows, the setup program: the CLAP plug-in, then the VST3 one, in Common Files.
struct PluginPlaces
{
    std::string programFolder;  // the folder holding the executable
    std::string commonFiles;    // Windows: %CommonProgramFiles%; empty elsewhere
    std::string builtModule;
};

std::vector<std::string> defaultPluginCandidates(const PluginPlaces& places);
// The first candidate that exists; empty when none does.
std::string findDefaultPlugin(const PluginPlaces& places);
// The places for this program as it runs now.
PluginPlaces currentPluginPlaces();
