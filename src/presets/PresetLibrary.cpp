#include "presets/PresetLibrary.h"

#include "base/AsciiCase.h"
#include "platform/FolderListing.h"
#include "platform/PreferencePlaces.h"
#include "presets/FactoryPresets.h"
#include "presets/FxpFileOnDisk.h"
#include "presets/PresetFileName.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{

constexpr std::string_view kExtension = ".fxp";
constexpr const char* kDefaultNameStem = "User ";

bool hasPresetExtension(const std::string& fileName)
{
    return fileName.size() > kExtension.size() &&
           toLowerAscii(fileName.substr(fileName.size() - kExtension.size())) == kExtension;
}

// Ends the folder with the separator its path already uses (Windows takes either).
std::string withSeparator(std::string folder)
{
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\')
        return folder;
    const std::size_t last = folder.find_last_of("/\\");
    folder += last != std::string::npos ? folder[last] : '/';
    return folder;
}

void addFactoryPresets(std::vector<PresetEntry>& entries)
{
    for (const FactoryPresetDefinition& preset : factoryPresets())
    {
        PresetEntry entry;
        entry.section = PresetSection::Factory;
        entry.name = preset.name;
        entry.description = preset.description;
        entry.chunk = factoryChunk(preset);
        entries.push_back(std::move(entry));
    }
}

}  // namespace

PresetLibrary::PresetLibrary() : PresetLibrary(platform::preference_places::userPresetFolder()) {}

PresetLibrary::PresetLibrary(std::string userFolder) : folder(withSeparator(std::move(userFolder))) {}

PresetListing PresetLibrary::list() const
{
    PresetListing listing;
    addFactoryPresets(listing.entries);
    if (folder.empty())
    {
        listing.problems.push_back("user presets: no folder for them on this system");
        return listing;
    }
    std::vector<std::string> fileNames;
    const platform::FolderListing found = platform::listFolder(folder, fileNames);
    if (found == platform::FolderListing::Unreadable)
        listing.problems.push_back(folder + ": not listed, the folder cannot be read");
    std::vector<PresetEntry> userEntries;
    std::vector<std::string> skipped;
    for (const std::string& fileName : fileNames)
    {
        if (!hasPresetExtension(fileName))
            continue;
        const FxpReading reading = readFxpFile(folder + fileName);
        if (!reading.accepted())
        {
            skipped.push_back(fileName + ": skipped, " + fxpProblemText(reading.problem));
            continue;
        }
        PresetEntry entry;
        entry.section = PresetSection::User;
        entry.name = fileName.substr(0, fileName.size() - kExtension.size());
        entry.filePath = folder + fileName;
        entry.chunk = reading.chunk;
        userEntries.push_back(std::move(entry));
    }
    std::sort(userEntries.begin(), userEntries.end(),
              [](const PresetEntry& a, const PresetEntry& b) { return toLowerAscii(a.name) < toLowerAscii(b.name); });
    std::sort(skipped.begin(), skipped.end());
    listing.problems.insert(listing.problems.end(), skipped.begin(), skipped.end());
    listing.entries.insert(listing.entries.end(), userEntries.begin(), userEntries.end());
    return listing;
}

std::string PresetLibrary::pathFor(const std::string& safeName) const
{
    return folder + safeName + std::string(kExtension);
}

bool PresetLibrary::exists(const std::string& safeName) const
{
    std::FILE* file = std::fopen(pathFor(safeName).c_str(), "rb");
    if (file == nullptr)
        return false;
    std::fclose(file);
    return true;
}

std::string PresetLibrary::nextDefaultName() const
{
    for (int number = 1;; ++number)
    {
        const std::string name = kDefaultNameStem + std::to_string(number);
        if (!exists(name))
            return name;
    }
}

PresetSaving PresetLibrary::save(std::string_view name, const ProgramChunk& chunk, ExistingPreset existing)
{
    PresetSaving saving;
    saving.name = safePresetName(name);
    if (saving.name.empty())
        saving.name = nextDefaultName();
    if (folder.empty())
    {
        saving.problem = "there is no folder for user presets on this system";
        return saving;
    }
    if (existing == ExistingPreset::Keep && exists(saving.name))
    {
        saving.problem = "a user preset named \"" + saving.name + "\" exists";
        saving.nameTaken = true;
        return saving;
    }
    if (!platform::preference_places::makeFolders(folder))
    {
        saving.problem = folder + ": the folder cannot be made";
        return saving;
    }
    saving.filePath = pathFor(saving.name);
    // The program's own name travels with it, as a host shows it after loading the file.
    ProgramRecord record;
    std::memcpy(&record, chunk.data(), sizeof(record));
    std::memset(record.name, 0, sizeof(record.name));
    saving.name.copy(record.name, sizeof(record.name) - 1);
    if (!writeFxpFile(saving.filePath, saving.name, chunkOf(record)))
    {
        saving.problem = saving.filePath + ": cannot be written";
        saving.filePath.clear();
        return saving;
    }
    saving.saved = true;
    return saving;
}

bool PresetLibrary::remove(const PresetEntry& entry, std::string& problem)
{
    if (entry.section != PresetSection::User)
    {
        problem = "factory presets cannot be deleted";
        return false;
    }
    // Only a preset file directly in this folder.
    const std::string fileName =
        entry.filePath.size() > folder.size() ? entry.filePath.substr(folder.size()) : std::string();
    if (entry.filePath.compare(0, folder.size(), folder) != 0 || !hasPresetExtension(fileName) ||
        fileName.find_first_of("/\\") != std::string::npos)
    {
        problem = entry.filePath + ": not a preset of " + folder;
        return false;
    }
    if (std::remove(entry.filePath.c_str()) != 0)
    {
        problem = entry.filePath + ": cannot be deleted";
        return false;
    }
    return true;
}
