#pragma once

#include "controls/cOnOffButton.h"

// The Active switch: while off, its lamp (material 2) flashes red four single frames in
// every 64, a quiet reminder that the effect is bypassed.
class cActiveFlashButton : public cOnOffButton
{
public:
    static constexpr std::size_t kLampMaterial = 2;

    using cOnOffButton::cOnOffButton;

    void draw() override;
    bool animating() const override { return getValue(0) == 0.0f; }

    // True when the lamp shows red on the given frame count.
    static bool flashesOnFrame(int frameCount);

private:
    int frameCount = 0;
    float savedRed = -1.0f;
};
