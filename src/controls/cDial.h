#pragma once

#include "controls/GL_BaseControl.h"

// A rotary knob: 270 degrees of travel, turned up by dragging right or up.
class cDial : public GL_BaseControl
{
public:
    static constexpr float kStepPerPixel = 0.005f;  // 200 pixels cover the range
    static constexpr float kFineStepPerPixel = 0.001f;

    cDial(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
          std::uint32_t style);

    void draw() override;
    void onMouseDown(int buttons, int x, int y) override;
    void onMouseDrag(int buttons, int x, int y) override;
    void onMouseOver(int x, int y) override;
    void setValue(std::size_t slot, float value) override;

protected:
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    void placeModel(float zLift) const;

    int lastX = 0;
    int lastY = 0;
    float dialValue = 0.5f;
    float shownValue = 0.5f;
};
