#include "controls/cWheelRelative.h"

#include "base/UnitRange.h"
#include "controls/ReachProjector.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

#include <algorithm>

namespace
{

// A vertical wheel tilts from about +59 to -59 degrees over its range, a horizontal one
// turns through 70 degrees.
constexpr float kVerticalSweep = 120.0f;
constexpr float kVerticalTiltAtZero = 60.0f;
constexpr float kHorizontalSweep = 70.0f;
constexpr float kHorizontalLabelLift = 16.0f;

}  // namespace

cWheelRelative::cWheelRelative(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                               const Model3DS* model, std::uint32_t style)
    : GL_BaseControl(editor, listener, box, model, style), minimum(1.0f / box.size[1]),
      maximum(1.0f - 1.0f / box.size[1]), position(minimum)
{
}

void cWheelRelative::onMouseDown(int buttons, int x, int y)
{
    pressButtons = buttons;
    if (isControlClick(buttons) && hasSlot())
        setValue(0, parameterSlots[0].defaultValue);
    setCursorKind(cursorForAxis());
    lastX = x;
    lastY = y;
    onMouseDrag(buttons, x, y);
}

void cWheelRelative::onMouseDrag(int buttons, int x, int y)
{
    if (isControlClick(buttons))
    {
        if (hasSlot())
            setValue(0, parameterSlots[0].defaultValue);
    }
    else
    {
        setCursorKind(cursorForAxis());
        const ScreenRect& screen = screenRect();
        const int extent = vertical() ? screen.maxY - screen.minY : screen.maxX - screen.minX;
        const int travel = vertical() ? y - lastY : x - lastX;
        const float factor = isFine(buttons) ? kFineFactor : 1.0f;
        if (extent > 0)
            position = std::clamp(position + static_cast<float>(travel) * factor / static_cast<float>(extent), minimum,
                                  maximum);
        if (hasSlot())
            parameterSlots[0].value = (position - minimum) / (maximum - minimum);
    }
    lastX = x;
    lastY = y;
    reportSlot0();
}

void cWheelRelative::onMouseOver(int, int)
{
    pressButtons = 0;
    setCursorKind(cursorForAxis());
}

void cWheelRelative::setValue(std::size_t slot, float value)
{
    GL_BaseControl::setValue(slot, value);
    position = minimum + (maximum - minimum) * clampedToUnit(value);
}

ScreenRect cWheelRelative::computeReach(const ReachProjector& projector) const
{
    if (controlModel == nullptr)
        return GL_BaseControl::computeReach(projector);
    float place[16];
    ReachProjector::translation(area.centre[0], area.centre[1], area.origin[2], place);
    return projector.box(place, ReachProjector::turned(vertical() ? 0 : 1, ReachProjector::modelBounds(*controlModel)));
}

void cWheelRelative::draw()
{
    if (!visible)
        return;
    glPushMatrix();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glDepthMask(GL_TRUE);
    glShadeModel(GL_SMOOTH);
    glLoadIdentity();
    glTranslatef(area.centre[0], area.centre[1], area.origin[2]);
    if (vertical())
    {
        glRotatef(-(position * kVerticalSweep - kVerticalTiltAtZero), 1.0f, 0.0f, 0.0f);
        labelAnchor[0] = area.centre[0];
        labelAnchor[1] = area.origin[1] + area.size[1];
        labelAnchor[2] = area.origin[2];
    }
    else
    {
        glRotatef(position * kHorizontalSweep, 0.0f, 1.0f, 0.0f);
        labelAnchor[0] = area.origin[0] + position * kHorizontalSweep;
        labelAnchor[1] = area.centre[1] + kHorizontalLabelLift;
        labelAnchor[2] = area.origin[2] + area.size[2] / 2.0f;
    }
    glColor4fv(colour);
    if (controlModel != nullptr)
        owner.resources().models().drawModel(*controlModel);
    updateScreenRect();
    glEnable(GL_LIGHTING);
    glPopMatrix();
}
