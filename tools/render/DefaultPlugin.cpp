#include "DefaultPlugin.h"

#include "ProgramEnvironment.h"

#include <sys/stat.h>

namespace
{

#if defined(_WIN32)
constexpr const char* kModuleFile = "Vantor Pro.dll";
#else
constexpr const char* kModuleFile = "Vantor Pro.so";
#endif

bool exists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

}  // namespace

std::vector<std::string> defaultPluginCandidates(const PluginPlaces& places)
{
    std::vector<std::string> candidates;
    if (!places.programFolder.empty())
    {
        candidates.push_back(places.programFolder + "/../Vantor Pro/" + kModuleFile);
#if !defined(_WIN32)
        candidates.push_back(places.programFolder + "/../lib/vst/Vantor Pro/" + kModuleFile);
#endif
    }
    if (!places.builtModule.empty())
        candidates.push_back(places.builtModule);
    if (!places.commonFiles.empty())
    {
        candidates.push_back(places.commonFiles + "\\CLAP\\Vantor Pro\\Vantor Pro.clap");
        candidates.push_back(places.commonFiles + "\\VST3\\Vantor Pro.vst3");
    }
    return candidates;
}

std::string findDefaultPlugin(const PluginPlaces& places)
{
    for (const std::string& candidate : defaultPluginCandidates(places))
        if (exists(candidate))
            return candidate;
    return {};
}

PluginPlaces currentPluginPlaces()
{
    PluginPlaces places;
    places.programFolder = executableFolder();
#if defined(_WIN32)
    places.commonFiles = environmentValue("CommonProgramFiles");
#endif
#if defined(VANTOR_BUILT_MODULE)
    // Only the program where the build made it: a copy that ships must never reach into
    // a build folder.
    if (places.programFolder == VANTOR_BUILT_PROGRAM_FOLDER)
        places.builtModule = VANTOR_BUILT_MODULE;
#endif
    return places;
}
