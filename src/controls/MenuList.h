#pragma once

#include "controls/MenuContent.h"
#include "glgui/ScreenRect.h"

#include <string>
#include <vector>

class VSTGL_Editor;

// An open menu's list as drawn over the editor: rows of text in a framed panel hanging from
// a corner, in design pixels of the window.
class MenuList
{
public:
    static constexpr int kRowHeight = 18;
    static constexpr int kPadding = 6;

    explicit MenuList(int width) : listWidth(width) {}

    void setRows(std::vector<MenuRow> rows) { shown = std::move(rows); }
    const std::vector<MenuRow>& rows() const { return shown; }
    // The panel of `rowCount` rows (the rows set, by default) whose top-left corner is at
    // (left, top).
    ScreenRect rect(int left, int top) const { return rect(left, top, static_cast<int>(shown.size())); }
    ScreenRect rect(int left, int top, int rowCount) const;
    // The row under a point of the panel `list`, or -1.
    int rowAt(const ScreenRect& list, int x, int y) const;
    // Draws the panel `list` with the `highlighted` row (or -1) marked, in `font`.
    void draw(VSTGL_Editor& editor, const std::string& font, const ScreenRect& list, int highlighted) const;

private:
    int listWidth;
    std::vector<MenuRow> shown;
};
