#pragma once

#include "editor/DisplayControl.h"

#include <cstdint>

struct EngineMeters;

// The stereo gain panel: both channels' output level with a per-frame release, solid red
// for a frame after a clipped block, a blue ring for bass transients and white veins for
// high-frequency excitement. The pointer controls nothing here.
class cSpectrumPanel final : public DisplayControl
{
public:
    // meters may be null (no engine): the panel then draws nothing.
    cSpectrumPanel(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                   ShaderSet& shaders, EngineMeters* meters);

    void draw() override;
    // While the meters still fall (or a clip waits to be shown) the panel needs frames.
    bool animating() const override;

private:
    EngineMeters* meters;
    std::uint32_t startTick;
};
