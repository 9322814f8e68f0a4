#include "editor/PresetMenu.h"

#include "editor/HostEdits.h"
#include "editor/PresetBrowser.h"
#include "window/NativeGlWindow.h"

namespace
{

// Notes longer than this break at a space onto further rows, to stay inside the list.
constexpr std::size_t kNoteWidth = 40;

using Look = MenuRow::Look;

const char* slotName(CompareSlots::Slot slot)
{
    return slot == CompareSlots::Slot::A ? "A" : "B";
}

const char* otherSlotName(CompareSlots::Slot slot)
{
    return slot == CompareSlots::Slot::A ? "B" : "A";
}

}  // namespace

PresetMenu::PresetMenu(PresetBrowser& presetBrowser, HostEdits& edits) : browser(presetBrowser), hostEdits(edits) {}

void PresetMenu::add(std::vector<MenuRow>& rows, std::string text, MenuRow::Look look, Action action, std::size_t entry)
{
    rows.push_back({std::move(text), look});
    items.push_back({action, entry});
}

void PresetMenu::addNote(std::vector<MenuRow>& rows, const std::string& text)
{
    std::size_t start = 0;
    while (text.size() - start > kNoteWidth)
    {
        std::size_t space = text.rfind(' ', start + kNoteWidth);
        if (space == std::string::npos || space <= start)
            space = start + kNoteWidth;
        add(rows, text.substr(start, space - start), Look::Inactive);
        start = text[space] == ' ' ? space + 1 : space;
    }
    add(rows, text.substr(start), Look::Inactive);
}

std::vector<MenuRow> PresetMenu::rows()
{
    if (relistDue)
        browser.relist();
    relistDue = false;
    items.clear();
    std::vector<MenuRow> rows;
    switch (page)
    {
    case Page::Main: mainRows(rows); break;
    case Page::Factory: presetRows(rows, false); break;
    case Page::User: presetRows(rows, true); break;
    case Page::Naming: namingRows(rows); break;
    }
    if (!note.empty())
        addNote(rows, note);
    return rows;
}

std::string PresetMenu::title()
{
    return std::string(slotName(browser.compareSlot())) + ": " + browser.currentName() +
           (browser.changed() ? " *" : "");
}

void PresetMenu::mainRows(std::vector<MenuRow>& rows)
{
    const CompareSlots::Slot slot = browser.compareSlot();
    add(rows, title(), Look::Heading);
    add(rows, "Previous preset", Look::Choice, Action::Previous);
    add(rows, "Next preset", Look::Choice, Action::Next);
    add(rows, "Factory presets  >", Look::Choice, Action::Factory);
    add(rows, "User presets  >", Look::Choice, Action::User);
    add(rows, "Save as a new preset...", Look::Choice, Action::Naming);
    const auto current = browser.currentEntry();
    const bool userPreset = current && browser.listing().entries[*current].section == PresetSection::User;
    add(rows, userPreset ? "Delete \"" + browser.currentName() + "\"" : "Delete (a user preset)",
        userPreset ? Look::Choice : Look::Inactive, Action::Delete);
    add(rows, std::string("Switch to ") + otherSlotName(slot), Look::Choice, Action::SwitchSlot);
    add(rows, std::string("Copy ") + slotName(slot) + " to " + otherSlotName(slot), Look::Choice, Action::CopySlot);
    add(rows, "Undo  (Ctrl+Z)", hostEdits.canUndo() ? Look::Choice : Look::Inactive, Action::Undo);
    add(rows, "Redo  (Ctrl+Shift+Z)", hostEdits.canRedo() ? Look::Choice : Look::Inactive, Action::Redo);
}

void PresetMenu::presetRows(std::vector<MenuRow>& rows, bool user)
{
    const PresetSection section = user ? PresetSection::User : PresetSection::Factory;
    add(rows, user ? "<  User presets" : "<  Factory presets", Look::Choice, Action::Back);
    const auto current = browser.currentEntry();
    const std::vector<PresetEntry>& entries = browser.listing().entries;
    bool any = false;
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        if (entries[i].section != section)
            continue;
        add(rows, entries[i].name, current == i ? Look::Chosen : Look::Choice, Action::Load, i);
        any = true;
    }
    if (!user)
        return;
    if (!any)
        add(rows, "None saved yet", Look::Inactive);
    for (const std::string& problem : browser.listing().problems)
        addNote(rows, problem);
}

void PresetMenu::namingRows(std::vector<MenuRow>& rows)
{
    add(rows, "<  Save as a new preset", Look::Choice, Action::Back);
    add(rows, "Name: " + typedName + "_", Look::Heading);
    const std::string name = typedName.empty() ? browser.nextDefaultName() : typedName;
    add(rows, "Save as \"" + name + "\"", Look::Choice, Action::Save);
    if (offerReplace)
        add(rows, "Replace \"" + name + "\"", Look::Choice, Action::Replace);
    add(rows, "Type a name; Return saves it.", Look::Inactive);
}

bool PresetMenu::pick(std::size_t row)
{
    if (row >= items.size())
        return true;
    const Item item = items[row];
    note.clear();
    switch (item.action)
    {
    case Action::None: return true;
    case Action::Back: turnTo(Page::Main); return true;
    case Action::Previous:
    case Action::Next:
        if (!browser.step(item.action == Action::Next ? 1 : -1))
            note = "Let go of the control first.";
        return true;
    case Action::Factory: turnTo(Page::Factory); return true;
    case Action::User: turnTo(Page::User); return true;
    case Action::Naming: turnTo(Page::Naming); return true;
    case Action::Delete: browser.removeCurrent(note); return true;
    case Action::SwitchSlot: browser.switchCompare(); return true;
    case Action::CopySlot: browser.copyToOtherSlot(); return true;
    case Action::Undo: hostEdits.undo(); return true;
    case Action::Redo: hostEdits.redo(); return true;
    // A preset picked from its page closes the menu, as a choice does.
    case Action::Load: return !browser.load(item.entry);
    case Action::Save: save(false); return true;
    case Action::Replace: save(true); return true;
    }
    return true;
}

bool PresetMenu::save(bool replace)
{
    const PresetSaving saving = browser.save(typedName, replace ? ExistingPreset::Replace : ExistingPreset::Keep);
    if (!saving.saved)
    {
        note = saving.problem;
        offerReplace = saving.nameTaken;
        return false;
    }
    turnTo(Page::Main);
    return true;
}

void PresetMenu::turnTo(Page next)
{
    page = next;
    note.clear();
    offerReplace = false;
    typedName.clear();
}

void PresetMenu::closed()
{
    turnTo(Page::Main);
    relistDue = true;
}

bool PresetMenu::key(int keyCode, char typed)
{
    if (page != Page::Naming)
        return false;
    if (keyCode == platform::kKeyReturn)
    {
        save(false);
        return true;
    }
    if (keyCode == platform::kKeyEscape)
    {
        turnTo(Page::Main);
        return true;
    }
    if (keyCode == platform::kKeyBackspace && !typedName.empty())
        typedName.pop_back();
    else if (typed != 0 && typedName.size() < kLongestName)
        typedName += typed;
    else
        return false;
    // A refusal was about the name as it was.
    note.clear();
    offerReplace = false;
    return true;
}
