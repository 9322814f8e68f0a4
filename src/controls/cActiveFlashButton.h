#pragma once

#include "controls/cOnOffButton.h"
#include "glgui/Model3DS.h"

#include <memory>

// The Active switch: while off, its lamp (material 2) flashes red four single frames in
// every 64, a quiet reminder that the effect is bypassed. The lamp colour is changed on the
// button's own copy of the model: the skin's model is shared by every editor in the process.
class cActiveFlashButton : public cOnOffButton
{
public:
    static constexpr std::size_t kLampMaterial = 2;

    cActiveFlashButton(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
                       std::uint32_t style);

    void draw() override;
    void advanceFrame() override { ++frameCount; }
    bool animating() const override { return getValue(0) == 0.0f; }

    // True when the lamp shows red on the given frame count.
    static bool flashesOnFrame(int frameCount);

private:
    std::unique_ptr<Model3DS> lampModel;
    int frameCount = 0;
    float savedRed = -1.0f;
};
