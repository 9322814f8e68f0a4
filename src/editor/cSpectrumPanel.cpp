#include "editor/cSpectrumPanel.h"

#include "editor/EditorModel.h"
#include "editor/ShaderSet.h"
#include "glgui/VSTGL_Editor.h"
#include "window/NativeGlWindow.h"

#include <algorithm>

namespace
{

using Program = ShaderSet::Program;

// The shader's time base: thirds of a second.
constexpr float kTickerPerMillisecond = 0.003f;
// Levels and veins below this, with no bass ring, hardly light the panel.
constexpr float kQuietReading = 0.05f;

bool quiet(const GainMeterReading& reading)
{
    return std::max({reading.stereo[0], reading.stereo[1], reading.stereo[3]}) < kQuietReading &&
           reading.stereo[2] <= 0.0f;
}

}  // namespace

cSpectrumPanel::cSpectrumPanel(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                               std::uint32_t style, ShaderSet& shaderSet, const EditorModel& editorModel)
    : DisplayControl(editor, listener, box, style, shaderSet, editorModel), startTick(platform::tickCount())
{
}

bool cSpectrumPanel::animating() const
{
    return model.metersMoving() || shown.clipped != 0.0f || !model.meters().looksLike(shown);
}

bool cSpectrumPanel::readingDue() const
{
    const GainMeterReading& latest = model.meters();
    if (latest.looksLike(shown))
        return false;
    const float interval = static_cast<float>(kDrawIntervalMs) * std::max(owner.pixelScale(), 1.0f);
    return latest.clipped != shown.clipped || quiet(latest) ||
           static_cast<float>(model.takenAt() - shownAt) >= interval;
}

bool cSpectrumPanel::redrawDue() const
{
    return markedChanged() || readingDue();
}

ScreenRect cSpectrumPanel::soleChange() const
{
    return markedChanged() ? ScreenRect{} : reachRect();
}

void cSpectrumPanel::advanceFrame()
{
    if (!readingDue())
        return;
    shown = model.meters();
    shownAt = model.takenAt();
    // Counted from the panel's creation, so the float keeps its precision on a machine that
    // has been up for weeks.
    ticker = static_cast<float>(shownAt - startTick) * kTickerPerMillisecond;
}

void cSpectrumPanel::draw()
{
    shaders.use(Program::DisplayPanel);
    shaders.setVec4(Program::DisplayPanel, "stereo", shown.stereo);
    shaders.setFloat(Program::DisplayPanel, "clipped", shown.clipped);
    shaders.setFloat(Program::DisplayPanel, "ticker", ticker);
    drawQuad();
    ShaderSet::useNone();
}
