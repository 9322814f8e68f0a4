#include "editor/cSpectrumPanel.h"

#include "editor/EditorModel.h"
#include "editor/ScopeLayout.h"
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
    : DisplayControl(editor, listener, box, style, shaderSet, editorModel), startTick(platform::tickCount()),
      scope(editorModel,
            GlowQuads::Frame{quad.corners[0][0], quad.corners[0][1], 2.0f / static_cast<float>(editor.editorWidth()),
                             2.0f / static_cast<float>(editor.editorHeight())})
{
}

bool cSpectrumPanel::animating() const
{
    if (scopeShown())
        return scope.animating();
    return model.metersMoving() || shown.clipped != 0.0f || !model.meters().looksLike(shown);
}

bool cSpectrumPanel::readingDue() const
{
    return scopeShown() ? scope.pictureDue() : designReadingDue();
}

bool cSpectrumPanel::designReadingDue() const
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
    if (scopeShown())
    {
        scope.advanceFrame();
        return;
    }
    if (!designReadingDue())
        return;
    shown = model.meters();
    shownAt = model.takenAt();
    // Counted from the panel's creation, so the float keeps its precision on a machine that
    // has been up for weeks.
    ticker = static_cast<float>(shownAt - startTick) * kTickerPerMillisecond;
}

void cSpectrumPanel::onMouseDown(int, int x, int y)
{
    if (!hasSlot())
        return;
    const ScreenRect& where = screenRect();
    const float unitsX = static_cast<float>(x) / static_cast<float>(where.maxX - where.minX) * scope_layout::kPanelSize;
    const float unitsY = static_cast<float>(y) / static_cast<float>(where.maxY - where.minY) * scope_layout::kPanelSize;
    if (scopeShown() && scope_layout::inSwitch(unitsX, unitsY))
    {
        scope.switchSource();
        return;
    }
    beginGesture();
    setValue(0, scopeShown() ? 0.0f : 1.0f);
    // Chosen again after a while: what the engine holds now, not what it held then.
    if (scopeShown())
        scope.showLatest();
    report(getValue(0));
}

void cSpectrumPanel::onMouseUp(int, int, int)
{
    endGesture();
}

void cSpectrumPanel::draw()
{
    if (scopeShown())
    {
        scope.draw(shaders);
        return;
    }
    shaders.use(Program::DisplayPanel);
    shaders.setVec4(Program::DisplayPanel, "stereo", shown.stereo);
    shaders.setFloat(Program::DisplayPanel, "clipped", shown.clipped);
    shaders.setFloat(Program::DisplayPanel, "ticker", ticker);
    drawQuad();
    ShaderSet::useNone();
}
