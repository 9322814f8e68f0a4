#pragma once

#include "controls/GL_BaseControl.h"

// A linear fader whose handle follows the pointer one to one along its track (along y with
// StyleVertical, else along x); Shift moves it four times slower.
class cSliderRelative : public GL_BaseControl
{
public:
    static constexpr float kFineFactor = 0.25f;

    cSliderRelative(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
                    std::uint32_t style, float handleLength);

    void draw() override;
    void onMouseDown(int buttons, int x, int y) override;
    void onMouseDrag(int buttons, int x, int y) override;
    void onMouseOver(int x, int y) override;
    void setValue(std::size_t slot, float value) override;

protected:
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    bool vertical() const { return hasStyle(StyleVertical); }
    float trackLength() const { return vertical() ? area.size[1] : area.size[0]; }
    int cursorForTrack() const { return vertical() ? kCursorNorthSouth : kCursorWestEast; }
    // Where the handle's model sits for a position of 0..1.
    void handleCentre(float at, float centre[3]) const;
    void placeHandle() const;
    void reportPosition();

    float handleLength;
    float position = 0.5f;
    int lastX = 0;
    int lastY = 0;
};
