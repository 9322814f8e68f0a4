#pragma once

#include "editor/CompareSlots.h"
#include "editor/SettingHistory.h"
#include "presets/PresetLibrary.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class EditorEffect;
class HostEdits;

// What the editor's preset menu does, apart from drawing it: the presets listed, the one in
// use (the program carries its name, so a reopened project finds it again) and whether the
// setting changed since it was loaded, loading, stepping, saving and deleting, and the A/B
// pair. Every setting it puts in place goes through HostEdits: one undo step, one host
// gesture per parameter. GUI thread only; kept while the editor closes and opens again.
class PresetBrowser
{
public:
    PresetBrowser(EditorEffect& effect, HostEdits& edits, PresetLibrary library);

    // Lists the presets again (the user's folder may have changed).
    void relist();
    const PresetListing& listing() const { return presets; }

    // The program's name, and the listed preset it names: the one loaded here if it is still
    // listed, else the first of that name (factory before user).
    std::string currentName();
    std::optional<std::size_t> currentEntry();
    // True when the setting differs from the preset's as it was loaded (or, for a name no
    // preset has, from the setting when the name was first seen).
    bool changed();

    // Puts a listed preset in place and names the program after it; false (nothing changed)
    // while the user holds a control or for no such entry.
    bool load(std::size_t entry);
    // The next (+1) or previous (-1) listed preset after the current one, round the list.
    bool step(int direction);
    // Saves the current setting as a user preset (an empty name takes "User N"); once saved
    // it is the current preset.
    PresetSaving save(std::string_view name, ExistingPreset existing);
    // The name a save without one would take now.
    std::string nextDefaultName() const { return library.nextDefaultName(); }
    // Deletes the current preset when it is a user preset.
    bool removeCurrent(std::string& problem);

    CompareSlots::Slot compareSlot() const { return compare.active(); }
    // Makes the other slot's setting (and its preset's name) current.
    bool switchCompare();
    // The other slot takes the current setting and name.
    void copyToOtherSlot();

private:
    // The preset in use as one A/B slot holds it.
    struct InUse
    {
        std::string name;
        Setting reference{};
        // The section of the entry loaded or saved under that name, when known.
        std::optional<PresetSection> section;
    };

    // Follows a program name changed from outside (a host loaded a project or a preset).
    void followProgramName();
    std::optional<std::size_t> entryNamed(const std::string& presetName, std::optional<PresetSection> section) const;
    void rename(const InUse& now);

    EditorEffect& effect;
    HostEdits& hostEdits;
    PresetLibrary library;
    PresetListing presets;
    bool listed = false;
    bool followed = false;
    InUse inUse;
    CompareSlots compare;
    InUse otherSlot;
    bool otherHeld = false;
};
