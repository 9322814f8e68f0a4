#pragma once

#include "FileBytes.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <vector>

// The factory presets' program files as the build wrote them (VANTOR_PRESET_FOLDER), in the
// order of their names.
inline std::vector<std::filesystem::path> factoryPresetFiles()
{
    const char* folder = std::getenv("VANTOR_PRESET_FOLDER");
    std::vector<std::filesystem::path> files;
    if (folder == nullptr)
        return files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The program chunk a program file carries after its header.
inline std::vector<unsigned char> chunkOfFile(const std::filesystem::path& path)
{
    constexpr std::size_t kFxpHeaderBytes = 60;
    const std::vector<unsigned char> bytes = fileBytes(path);
    return bytes.size() > kFxpHeaderBytes ? std::vector<unsigned char>(bytes.begin() + kFxpHeaderBytes, bytes.end())
                                          : std::vector<unsigned char>{};
}
