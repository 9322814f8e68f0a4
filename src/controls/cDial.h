#pragma once

#include "controls/cDragControl.h"

// A rotary knob: 270 degrees of travel, turned up by dragging right or up.
class cDial : public cDragControl
{
public:
    static constexpr float kStepPerPixel = 0.005f;  // 200 pixels cover the range
    static constexpr float kFineStepPerPixel = 0.001f;

    using cDragControl::cDragControl;

    void draw() override;

protected:
    void dragBy(int dx, int dy, bool fine) override;
    void resetToDefault() override;
    float dragValue() const override { return getValue(0); }
    platform::PointerCursor dragCursor() const override { return platform::PointerCursor::Hand; }
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    void placeModel(float zLift) const;
};
