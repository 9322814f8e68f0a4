#pragma once

#include "controls/GL_BaseControl.h"
#include "controls/MenuList.h"

#include <string>

// An invisible button over a picture (the V emblem, the wordmark) that opens a list below it
// whose rows, and what picking them does, come from its content. While the list is open it
// takes every press: one on a pickable row picks it, any other closes the list. Bound to no
// slot.
class cListMenu : public GL_BaseControl
{
public:
    // Rows never reach lower than this many below the button, whatever the content offers.
    static constexpr int kMostRows = 28;

    cListMenu(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
              std::string fontName, int listWidth, MenuContent& content);

    bool isOpen() const { return open; }
    // Reads the content's rows again (it changed without a pick: a key typed into it).
    void refresh();

    void draw() override;
    void onMouseDown(int buttons, int x, int y) override;
    void onMouseOver(int x, int y) override;
    bool holdsPointer() const override { return open; }
    // Closed, it draws nothing (the wordmark beneath it is the background's).
    ScreenRect drawnReach() const override { return open ? reachRect() : ScreenRect{}; }

protected:
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    ScreenRect listRect() const;
    void close();

    std::string font;
    MenuContent& menuContent;
    MenuList list;
    bool open = false;
    int highlighted = -1;
};
