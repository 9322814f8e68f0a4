#pragma once

#include "editor/DisplayControl.h"
#include "editor/GainMeterReading.h"
#include "editor/ScopeView.h"

#include <cstdint>

// The stereo gain panel: both channels' output level with a per-frame release, solid red
// for a frame after a clipped block, a blue ring for bass transients and white veins for
// high-frequency excitement. A click switches to the Scope view (ScopeView) and back; there, a
// click on its input/output switch picks what it shows. Slot 0 holds the view the user chose
// (1: Scope), which the editor remembers.
//
// Its shader is the editor's costliest, so it draws at a rate of its own: a new reading
// every frame keeps the meters falling as fast, but the panel shows one at most every
// kDrawIntervalMs times the window's pixels per design unit (its cost grows with its size,
// not its area), except a clip, which shows (and goes) at once, and a quiet reading, which
// shows at once so that a fallen meter settles where a whole redraw puts it. It is opaque
// and alone on its part of the picture, so a new reading draws just the panel.
class cSpectrumPanel final : public DisplayControl
{
public:
    static constexpr std::uint32_t kDrawIntervalMs = 33;

    cSpectrumPanel(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                   ShaderSet& shaders, const EditorModel& model);

    void draw() override;
    // Takes the frame's reading to show, when it is due.
    void advanceFrame() override;
    // While the meters still fall, a reading waits to be shown or a clip to go, the panel
    // needs frames; in the Scope view, while a new stereo image would change its picture.
    bool animating() const override;
    bool redrawDue() const override;
    ScreenRect soleChange() const override;
    void onMouseDown(int buttons, int x, int y) override;
    void onMouseUp(int buttons, int x, int y) override;

    bool scopeShown() const { return getValue(0) != 0.0f; }

private:
    bool readingDue() const;
    bool designReadingDue() const;

    std::uint32_t startTick;
    // What the panel shows, and the shader's clock for its veins.
    GainMeterReading shown{};
    float ticker = 0.0f;
    std::uint32_t shownAt = 0;
    ScopeView scope;
};
