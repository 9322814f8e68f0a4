#include "editor/cEqualiser.h"

#include "base/UnitRange.h"
#include "controls/cControlListener.h"
#include "editor/EditorModel.h"
#include "editor/ShaderSet.h"
#include "engine/EqualiserCurve.h"
#include "glgui/VSTGL_Editor.h"
#include "params/EngineAmounts.h"
#include "params/ParameterTable.h"

#include <algorithm>
#include <cmath>

namespace
{

// The curve square sits 8 pixels in from the box's left and bottom and 6 from its right
// and top.
constexpr float kInsetLowerLeft = 8.0f;
constexpr float kInsetTotal = 14.0f;
// Local pointer y is measured from 2 pixels above the screen rectangle's bottom.
constexpr float kPointerRaise = 2.0f;

EqualiserDisplay::Rectangle innerArea(const ControlBox& box, int editorWidth, int editorHeight)
{
    const float toX = 2.0f / static_cast<float>(editorWidth);
    const float toY = 2.0f / static_cast<float>(editorHeight);
    return {(box.origin[0] + kInsetLowerLeft) * toX, (box.origin[1] + kInsetLowerLeft) * toY,
            (box.size[0] - kInsetTotal) * toX, (box.size[1] - kInsetTotal) * toY};
}

}  // namespace

cEqualiser::cEqualiser(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                       ShaderSet& shaders, const EditorModel& editorModel)
    : GL_BaseControl(editor, listener, box, nullptr, style), model(editorModel),
      pointer(points, {kInsetLowerLeft, kInsetLowerLeft, box.size[0] - kInsetTotal, box.size[1] - kInsetTotal}),
      display(editor.resources(), shaders, innerArea(box, editor.editorWidth(), editor.editorHeight()),
              editor.editorWidth(), editor.editorHeight())
{
}

bool cEqualiser::animating() const
{
    return model.spectrumWaiting() || display.spectrumDiffers(model.spectrum());
}

bool cEqualiser::redrawDue() const
{
    return markedChanged() || display.spectrumDiffers(model.spectrum());
}

float cEqualiser::read(int index)
{
    return model.value(index);
}

void cEqualiser::change(int index, float value)
{
    const SlotTarget target{SlotTarget::Kind::Parameter, index};
    if (isParameter(index) && !touched.test(static_cast<std::size_t>(index)))
    {
        touched.set(static_cast<std::size_t>(index));
        controlListener.beginGesture(target);
    }
    controlListener.valueChanged(target, value);
}

// Pointer coordinates are relative to the screen rectangle, which the perspective camera
// makes a little larger than the box: place the curve square where it is drawn.
void cEqualiser::followScreenRect()
{
    const ScreenRect& screen = screenRect();
    const float left = static_cast<float>(owner.editorWidth()) / 2.0f + area.origin[0] + kInsetLowerLeft;
    const float bottom = static_cast<float>(owner.editorHeight()) / 2.0f + area.origin[1] + kInsetLowerLeft;
    pointer.setArea({left - static_cast<float>(screen.minX), bottom - static_cast<float>(screen.minY) - kPointerRaise,
                     area.size[0] - kInsetTotal, area.size[1] - kInsetTotal});
}

void cEqualiser::onMouseOver(int x, int y)
{
    followScreenRect();
    requestCursor(pointer.over(x, y));
}

void cEqualiser::onMouseDown(int buttons, int x, int y)
{
    followScreenRect();
    requestCursor(pointer.press(buttons, x, y));
}

void cEqualiser::onMouseDrag(int, int x, int y)
{
    requestCursor(pointer.drag(x, y));
}

void cEqualiser::onMouseUp(int, int, int)
{
    pointer.release();
    // One end of gesture for each parameter the press changed, in index order.
    for (int index = 0; index < kNumParameters; ++index)
    {
        if (touched.test(static_cast<std::size_t>(index)))
            controlListener.endGesture(SlotTarget{SlotTarget::Kind::Parameter, index});
    }
    touched.reset();
}

void cEqualiser::collectHandles()
{
    handleCount = points.count();
    for (int k = 0; k < handleCount; ++k)
        handles[k] = {clampedToUnit(points.x(k)), clampedToUnit(points.y(k)), k == pointer.selected() && isHovered()};
    std::stable_sort(handles, handles + handleCount,
                     [](const EqualiserDisplay::Handle& a, const EqualiserDisplay::Handle& b) { return a.x < b.x; });
}

bool cEqualiser::handlesMoved() const
{
    if (handleCount != curveHandleCount)
        return true;
    for (int k = 0; k < handleCount; ++k)
        if (handles[k].x != curveHandles[k].x || handles[k].y != curveHandles[k].y)
            return true;
    return false;
}

void cEqualiser::rebuildCurve()
{
    EqPointList sorted;
    for (int k = 0; k < handleCount; ++k)
        sorted.append(handles[k].x, handles[k].y);
    curve.rebuild(sorted, display.area());
    std::copy(handles, handles + handleCount, curveHandles);
    curveHandleCount = handleCount;
}

ScreenRect cEqualiser::soleChange() const
{
    if (markedChanged())
        return {};
    const float left = static_cast<float>(owner.editorWidth()) / 2.0f + area.origin[0] + kInsetLowerLeft;
    const float bottom = static_cast<float>(owner.editorHeight()) / 2.0f + area.origin[1] + kInsetLowerLeft;
    const float edges[4] = {left, bottom, left + area.size[0] - kInsetTotal, bottom + area.size[1] - kInsetTotal};
    const float scale = owner.pixelScale();
    for (const float edge : edges)
    {
        if (edge != std::round(edge) || edge * scale != std::round(edge * scale))
            return {};
    }
    return ScreenRect{static_cast<int>(edges[0]), static_cast<int>(edges[1]), static_cast<int>(edges[2]),
                      static_cast<int>(edges[3])};
}

bool cEqualiser::drawsParameter(int index) const
{
    return index == kParamEqGain;
}

ScreenRect cEqualiser::computeReach(const ReachProjector& projector) const
{
    constexpr int kRingReach = static_cast<int>(EqualiserDisplay::kRingSizePixels / 2.0f) + 1;
    return GL_BaseControl::computeReach(projector).grownBy(kRingReach);
}

void cEqualiser::draw()
{
    if (display.spectrumDiffers(model.spectrum()))
        display.uploadSpectrum(model.spectrum());
    display.drawBackground();
    display.drawGuides(amounts::eqRange(model.value(kParamEqGain)));

    collectHandles();
    // A host automation, a loaded chunk or a program change moves the curve as an edit does.
    if (handleCount >= 2 && handlesMoved())
        rebuildCurve();
    if (handleCount >= 2)
        display.drawCurve(curve);
    display.drawHandles(handles, handleCount);
    ShaderSet::useNone();
}
