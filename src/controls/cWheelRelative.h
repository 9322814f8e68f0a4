#pragma once

#include "controls/cDragControl.h"

// A thumb wheel: dragging across its whole screen extent (height when StyleVertical, else
// width) sweeps the whole range; Shift moves it four times slower. It casts no shadow. Its
// one value is the wheel's turn, kept a pixel short of either end of its box.
class cWheelRelative : public cDragControl
{
public:
    static constexpr float kFineFactor = 0.25f;

    cWheelRelative(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
                   std::uint32_t style);

    void draw() override;
    void setValue(std::size_t slot, float value) override;

    float minimumPosition() const { return minimum; }
    float maximumPosition() const { return maximum; }
    float wheelPosition() const { return position; }

protected:
    void dragBy(int dx, int dy, bool fine) override;
    void resetToDefault() override;
    float dragValue() const override { return (position - minimum) / (maximum - minimum); }
    platform::PointerCursor dragCursor() const override;
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    bool vertical() const { return hasStyle(StyleVertical); }
    void turnTo(float newPosition);

    float minimum;
    float maximum;
    float position;
};
