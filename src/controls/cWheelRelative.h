#pragma once

#include "controls/GL_BaseControl.h"

// A thumb wheel: dragging across its whole screen extent (height when StyleVertical, else
// width) sweeps the whole range; Shift moves it four times slower. It casts no shadow.
class cWheelRelative : public GL_BaseControl
{
public:
    static constexpr float kFineFactor = 0.25f;

    cWheelRelative(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
                   std::uint32_t style);

    void draw() override;
    void onMouseDown(int buttons, int x, int y) override;
    void onMouseDrag(int buttons, int x, int y) override;
    void onMouseOver(int x, int y) override;
    void setValue(std::size_t slot, float value) override;

    float minimumPosition() const { return minimum; }
    float maximumPosition() const { return maximum; }
    float wheelPosition() const { return position; }

protected:
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    bool vertical() const { return hasStyle(StyleVertical); }
    int cursorForAxis() const { return vertical() ? kCursorNorthSouth : kCursorWestEast; }

    float minimum;
    float maximum;
    float position;
    int lastX = 0;
    int lastY = 0;
};
