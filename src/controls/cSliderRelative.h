#pragma once

#include "controls/cDragControl.h"

// A linear fader whose handle follows the pointer one to one along its track (along y with
// StyleVertical, else along x); Shift moves it four times slower, and Ctrl-click brings it
// to the centre of its track.
class cSliderRelative : public cDragControl
{
public:
    static constexpr float kFineFactor = 0.25f;
    // Where Ctrl-click puts the handle: the track's centre, whatever the parameter's default.
    static constexpr float kNeutralPosition = 0.5f;

    cSliderRelative(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
                    std::uint32_t style, float handleLength);

    void draw() override;

protected:
    void dragBy(int dx, int dy, bool fine) override;
    void resetToDefault() override;
    float dragValue() const override { return getValue(0); }
    platform::PointerCursor dragCursor() const override;
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    bool vertical() const { return hasStyle(StyleVertical); }
    float trackLength() const { return vertical() ? area.size[1] : area.size[0]; }
    // The handle's place along its track, 0..1, whatever the stored value.
    float position() const;
    // Where the handle's model sits for a position of 0..1.
    void handleCentre(float at, float centre[3]) const;
    void placeHandle() const;

    float handleLength;
};
