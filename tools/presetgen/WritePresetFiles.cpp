// Writes every factory preset as a VST program file (FXP_FOLDER/<Name>.fxp) and as a VST3
// preset (VSTPRESET_FOLDER/<Name>.vstpreset), from the one table the plug-in builds its own
// from. Run on the build machine, also when the build makes Windows modules.
//
//   write-preset-files FXP_FOLDER VSTPRESET_FOLDER

#include "presets/FactoryPresets.h"
#include "presets/FxpFile.h"
#include "presets/PresetFileName.h"
#include "presets/Vst3PresetFile.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace
{

bool writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        std::fprintf(stderr, "write-preset-files: cannot write %s\n", path.string().c_str());
    return static_cast<bool>(file);
}

// The folder holds exactly the current presets: a renamed one leaves no file behind.
bool makeEmptyFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::remove_all(folder, error);
    std::filesystem::create_directories(folder, error);
    if (error)
        std::fprintf(stderr, "write-preset-files: cannot make %s\n", folder.string().c_str());
    return !error;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: write-preset-files FXP_FOLDER VSTPRESET_FOLDER\n");
        return 2;
    }
    const std::filesystem::path fxpFolder = argv[1];
    const std::filesystem::path vst3Folder = argv[2];
    if (!makeEmptyFolder(fxpFolder) || !makeEmptyFolder(vst3Folder))
        return 1;
    for (const FactoryPresetDefinition& preset : factoryPresets())
    {
        const ProgramChunk chunk = factoryChunk(preset);
        const std::string fileName = safePresetName(preset.name);
        if (!writeFile(fxpFolder / (fileName + ".fxp"), writeFxp(preset.name, chunk)) ||
            !writeFile(vst3Folder / (fileName + ".vstpreset"), writeVst3Preset(chunk)))
            return 1;
    }
    return 0;
}
