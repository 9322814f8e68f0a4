#pragma once

#include "presets/ProgramChunk.h"

#include <string>
#include <string_view>
#include <vector>

// The presets a browser offers: the factory presets (built in, always there, whatever is on
// disk) and the user's own, the program files (.fxp) in the user's preset folder. The
// factory presets are not read from the Presets folder shipped beside the modules: those
// files are made from the same table as the built-in set, for hosts' own preset loading.
//
// Threads: any one thread at a time (a browser's, or a CLAP host's main thread); nothing
// here is for the audio thread (it reads and writes files).

enum class PresetSection
{
    Factory,
    User,
};

struct PresetEntry
{
    PresetSection section = PresetSection::Factory;
    // A factory preset's name; a user preset's file name without ".fxp", so a file renamed
    // by hand is listed under its new name.
    std::string name;
    std::string description;  // one line; empty for user presets
    std::string filePath;     // the user preset's file; empty for factory presets
    ProgramChunk chunk{};
};

struct PresetListing
{
    // Factory presets in their table's order, then the user's sorted by name (ignoring
    // ASCII case).
    std::vector<PresetEntry> entries;
    // One line per file skipped or folder not listed, as a browser can show it:
    // "<file>: skipped, <reason>".
    std::vector<std::string> problems;
};

enum class ExistingPreset
{
    Keep,     // a name already in use is refused
    Replace,  // the user asked to overwrite it
};

struct PresetSaving
{
    bool saved = false;
    std::string name;      // the name it was saved (or refused) under
    std::string filePath;  // where it was written
    std::string problem;   // why it was not saved
    bool nameTaken = false;  // refused only because a user preset has that name
};

class PresetLibrary
{
public:
    // The user's preset folder as the platform names it.
    PresetLibrary();
    // Another folder (tests, tools); with or without a trailing separator.
    explicit PresetLibrary(std::string userFolder);

    const std::string& userFolder() const { return folder; }

    PresetListing list() const;

    // Writes a user preset under a name made safe for a file; an empty name (or one with
    // nothing usable) takes the first free "User N". The folder is made when missing.
    PresetSaving save(std::string_view name, const ProgramChunk& chunk, ExistingPreset existing);

    // Removes a user preset's file; false, with a reason, for a factory preset or a file that
    // is not one of this folder's presets or could not be removed.
    bool remove(const PresetEntry& entry, std::string& problem);

    // The name a save without one would take now.
    std::string nextDefaultName() const;

private:
    std::string pathFor(const std::string& safeName) const;
    bool exists(const std::string& safeName) const;

    std::string folder;
};
