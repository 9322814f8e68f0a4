#include "editor/PresetBrowser.h"

#include "editor/HostEdits.h"
#include "engine/ProgramRecord.h"
#include "view/EditorEffect.h"

#include <cmath>
#include <utility>

namespace
{

// A stored value read back through a host may have passed through a double.
constexpr float kSameValue = 1e-6f;

ProgramRecord defaultProgram()
{
    ProgramRecord record;
    initialiseDefaultProgram(record);
    return record;
}

bool sameSetting(const Setting& a, const Setting& b)
{
    for (int index = 0; index < kNumParameters; ++index)
    {
        if (isSettingParameter(index) && std::fabs(a[index] - b[index]) > kSameValue)
            return false;
    }
    return true;
}

}  // namespace

PresetBrowser::PresetBrowser(EditorEffect& effectLink, HostEdits& edits, PresetLibrary presetLibrary)
    : effect(effectLink), hostEdits(edits), library(std::move(presetLibrary))
{
}

void PresetBrowser::relist()
{
    presets = library.list();
    listed = true;
}

std::optional<std::size_t> PresetBrowser::entryNamed(const std::string& presetName,
                                                     std::optional<PresetSection> section) const
{
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < presets.entries.size(); ++i)
    {
        const PresetEntry& entry = presets.entries[i];
        if (entry.name != presetName)
            continue;
        if (!section || entry.section == *section)
            return i;
        if (!found)
            found = i;
    }
    return found;
}

void PresetBrowser::followProgramName()
{
    if (!listed)
        relist();
    const std::string programName = effect.programName();
    if (followed && programName == inUse.name)
        return;
    followed = true;
    inUse = InUse{programName, hostEdits.current(), std::nullopt};
    if (const auto entry = entryNamed(programName, std::nullopt))
    {
        inUse.reference = parameterValuesOf(presets.entries[*entry].chunk);
        inUse.section = presets.entries[*entry].section;
    }
    else if (programName == defaultProgram().name)
    {
        inUse.reference = parameterValuesOf(chunkOf(defaultProgram()));
    }
}

std::string PresetBrowser::currentName()
{
    followProgramName();
    return inUse.name;
}

std::optional<std::size_t> PresetBrowser::currentEntry()
{
    followProgramName();
    return entryNamed(inUse.name, inUse.section);
}

bool PresetBrowser::changed()
{
    followProgramName();
    return !sameSetting(hostEdits.current(), inUse.reference);
}

void PresetBrowser::rename(const InUse& now)
{
    inUse = now;
    effect.renameProgram(now.name);
}

bool PresetBrowser::load(std::size_t entry)
{
    followProgramName();
    if (entry >= presets.entries.size())
        return false;
    const PresetEntry& preset = presets.entries[entry];
    const Setting values = parameterValuesOf(preset.chunk);
    if (!hostEdits.apply(values))
        return false;
    rename(InUse{preset.name, values, preset.section});
    return true;
}

bool PresetBrowser::step(int direction)
{
    followProgramName();
    const std::size_t count = presets.entries.size();
    if (count == 0)
        return false;
    const auto current = currentEntry();
    std::size_t next = direction > 0 ? 0 : count - 1;
    if (current)
        next = (*current + count + (direction > 0 ? 1 : count - 1)) % count;
    return load(next);
}

PresetSaving PresetBrowser::save(std::string_view presetName, ExistingPreset existing)
{
    followProgramName();
    const Setting now = hostEdits.current();
    const PresetSaving saving = library.save(presetName, chunkOf(programOf(now, "")), existing);
    if (saving.saved)
    {
        relist();
        rename(InUse{saving.name, now, PresetSection::User});
    }
    return saving;
}

bool PresetBrowser::removeCurrent(std::string& problem)
{
    const auto entry = currentEntry();
    if (!entry)
    {
        problem = "no listed preset is named \"" + inUse.name + "\"";
        return false;
    }
    const bool removed = library.remove(presets.entries[*entry], problem);
    relist();
    return removed;
}

bool PresetBrowser::switchCompare()
{
    followProgramName();
    if (hostEdits.holdsGesture())
        return false;
    if (!otherHeld)
        otherSlot = inUse;
    otherHeld = true;
    hostEdits.apply(compare.switchOver(hostEdits.current()));
    const InUse left = std::exchange(otherSlot, inUse);
    rename(left);
    return true;
}

void PresetBrowser::copyToOtherSlot()
{
    followProgramName();
    compare.copyToOther(hostEdits.current());
    otherSlot = inUse;
    otherHeld = true;
}
