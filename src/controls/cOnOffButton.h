#pragma once

#include "controls/GL_BaseControl.h"

#include <vector>

// A toggle: one press flips its value between 0 and 1. It draws the model's meshes whose
// names contain "on" while on and those containing "off" while off.
class cOnOffButton : public GL_BaseControl
{
public:
    cOnOffButton(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
                 std::uint32_t style);

    void draw() override;
    void onMouseDown(int buttons, int x, int y) override;
    void onMouseUp(int buttons, int x, int y) override;

    const std::vector<std::size_t>& onMeshes() const { return onSet; }
    const std::vector<std::size_t>& offMeshes() const { return offSet; }

protected:
    ScreenRect computeReach(const ReachProjector& projector) const override;

private:
    void drawDepthWalls() const;
    void placeModel(float zLift) const;
    void drawMeshSet(const std::vector<std::size_t>& meshes) const;

    std::vector<std::size_t> onSet;
    std::vector<std::size_t> offSet;
};
