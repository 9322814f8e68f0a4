#include "controls/cWheelRelative.h"

#include "base/UnitRange.h"
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
    : cDragControl(editor, listener, box, model, style), minimum(1.0f / box.size[1]),
      maximum(1.0f - 1.0f / box.size[1]), position(minimum)
{
}

void cWheelRelative::turnTo(float newPosition)
{
    if (newPosition != position)
        markChanged();
    position = newPosition;
}

void cWheelRelative::setValue(std::size_t slot, float value)
{
    if (slot == 0)
        turnTo(minimum + (maximum - minimum) * clampedToUnit(value));
}

void cWheelRelative::dragBy(int dx, int dy, bool fine)
{
    const ScreenRect& screen = screenRect();
    const int extent = vertical() ? screen.maxY - screen.minY : screen.maxX - screen.minX;
    const int travel = vertical() ? dy : dx;
    const float factor = fine ? kFineFactor : 1.0f;
    if (extent > 0)
        turnTo(
            std::clamp(position + static_cast<float>(travel) * factor / static_cast<float>(extent), minimum, maximum));
}

void cWheelRelative::resetToDefault()
{
    if (hasSlot())
        setValue(0, parameterSlots[0].defaultValue);
}

platform::PointerCursor cWheelRelative::dragCursor() const
{
    return vertical() ? platform::PointerCursor::SizeNorthSouth : platform::PointerCursor::SizeWestEast;
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
    beginModelPass();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
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
    glEnable(GL_LIGHTING);
    glPopMatrix();
}
