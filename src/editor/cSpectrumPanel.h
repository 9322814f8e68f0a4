#pragma once

#include "editor/DisplayControl.h"

#include <cstdint>

// The stereo gain panel: both channels' output level with a per-frame release, solid red
// for a frame after a clipped block, a blue ring for bass transients and white veins for
// high-frequency excitement. The pointer controls nothing here.
class cSpectrumPanel final : public DisplayControl
{
public:
    cSpectrumPanel(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                   ShaderSet& shaders, const EditorModel& model);

    void draw() override;
    // While the meters still fall (or a clip waits to be shown) the panel needs frames.
    bool animating() const override;

private:
    std::uint32_t startTick;
};
