#pragma once

#include "controls/MenuContent.h"

#include <cstddef>
#include <string>
#include <vector>

class HostEdits;
class PresetBrowser;

// The wordmark's menu: the preset in use with its changed mark, previous and next, the
// factory and user presets on pages of their own, saving under a typed name, deleting, A/B
// compare, and undo and redo. GUI thread only; made with each opening of the editor.
class PresetMenu final : public MenuContent
{
public:
    // What a program file's name field holds.
    static constexpr std::size_t kLongestName = 27;

    PresetMenu(PresetBrowser& browser, HostEdits& edits);

    // The preset in use as the menu's first row and the wordmark's hover text name it: the A/B
    // slot, the name, and " *" once the setting changed since it was loaded.
    std::string title();

    std::vector<MenuRow> rows() override;
    bool pick(std::size_t row) override;
    void closed() override;

    // True while the menu waits for a preset's name to be typed.
    bool takesKeys() const { return page == Page::Naming; }
    // A key press while it takes keys: a typed character, Backspace, Return (save) or Escape
    // (back); false when it took none.
    bool key(int keyCode, char typed);

private:
    enum class Page
    {
        Main,
        Factory,
        User,
        Naming,
    };
    enum class Action
    {
        None,
        Back,
        Previous,
        Next,
        Factory,
        User,
        Naming,
        Delete,
        SwitchSlot,
        CopySlot,
        Undo,
        Redo,
        Load,
        Save,
        Replace,
    };
    struct Item
    {
        Action action;
        std::size_t entry;
    };

    void add(std::vector<MenuRow>& rows, std::string text, MenuRow::Look look, Action action = Action::None,
             std::size_t entry = 0);
    // A note (what went wrong, a skipped file) as inactive rows, broken where it is long.
    void addNote(std::vector<MenuRow>& rows, const std::string& text);
    void mainRows(std::vector<MenuRow>& rows);
    void presetRows(std::vector<MenuRow>& rows, bool user);
    void namingRows(std::vector<MenuRow>& rows);
    // Saves under the typed name; true when saved.
    bool save(bool replace);
    void turnTo(Page next);

    PresetBrowser& browser;
    HostEdits& hostEdits;
    Page page = Page::Main;
    // What each row of the last rows() does.
    std::vector<Item> items;
    std::string typedName;
    // Why the last command failed, shown on the page it was given on.
    std::string note;
    bool offerReplace = false;
    bool relistDue = true;
};
