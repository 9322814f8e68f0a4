#pragma once

#include "controls/GL_BaseControl.h"
#include "controls/MenuList.h"

#include <string>
#include <vector>

// An invisible button over a picture (the logo) that opens a list of choices below it. While
// the list is open it takes every press: one on a choice picks it, any other closes the list.
// Its slot holds the picked choice as index / (count - 1); a pick is reported as one value.
class cMenuButton : public GL_BaseControl
{
public:
    cMenuButton(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                std::string fontName);

    // The choices, top to bottom; set before the first draw.
    void setChoices(std::vector<std::string> labels);
    bool isOpen() const { return open; }

    void setValue(std::size_t slot, float value) override;
    void draw() override;
    void onMouseDown(int buttons, int x, int y) override;
    void onMouseOver(int x, int y) override;
    bool holdsPointer() const override { return open; }
    // Closed, it draws nothing (the logo beneath it is the background's).
    ScreenRect drawnReach() const override { return open ? reachRect() : ScreenRect{}; }

protected:
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    // The open list in window pixels, hanging from the button's bottom-left corner.
    ScreenRect listRect() const;
    // The choice under a point in window pixels, or -1.
    int choiceAt(int x, int y) const;
    int pickedChoice() const;

    std::size_t choiceCount() const;

    std::string font;
    MenuList list;
    bool open = false;
    int highlighted = -1;
};
