#include "controls/cDial.h"

#include "base/UnitRange.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

#include <algorithm>

namespace
{

// Value 0 sits at +135 degrees, 0.5 upright, 1 at -135.
constexpr float kAngleAtZero = 135.0f;
constexpr float kSweepDegrees = 270.0f;
constexpr float kShadowLift = 0.01f;

}  // namespace

void cDial::dragBy(int dx, int dy, bool fine)
{
    const float step = fine ? kFineStepPerPixel : kStepPerPixel;
    setValue(0, std::clamp(getValue(0) + static_cast<float>(dx + dy) * step, 0.0f, 1.0f));
}

void cDial::resetToDefault()
{
    if (hasSlot())
        setValue(0, parameterSlots[0].defaultValue);
}

void cDial::placeModel(float zLift) const
{
    glTranslatef(area.centre[0], area.centre[1], area.origin[2] + zLift);
}

ScreenRect cDial::computeReach(const ReachProjector& projector) const
{
    if (controlModel == nullptr)
        return GL_BaseControl::computeReach(projector);
    float place[16];
    float shadowPlace[16];
    float identity[16];
    ReachProjector::translation(area.centre[0], area.centre[1], area.origin[2], place);
    ReachProjector::translation(area.centre[0], area.centre[1], area.origin[2] + kShadowLift, shadowPlace);
    ReachProjector::identity(identity);
    return modelReach(projector, place, shadowPlace, identity,
                      ReachProjector::turned(2, ReachProjector::modelBounds(*controlModel)));
}

void cDial::draw()
{
    beginModelPass();
    glDepthMask(GL_TRUE);
    const float angle = kAngleAtZero - clampedToUnit(getValue(0)) * kSweepDegrees;
    glLoadIdentity();
    placeModel(0.0f);
    glEnable(GL_DEPTH_TEST);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glColor4fv(colour);
    ModelBank& models = owner.resources().models();
    if (controlModel != nullptr)
        models.drawModel(*controlModel);
    if (hasStyle(StyleShadow) && controlModel != nullptr)
        castShadow([&] { placeModel(kShadowLift); },
                   [&]
                   {
                       if (hasSlot())
                           glRotatef(angle, 0.0f, 0.0f, 1.0f);
                   },
                   [&] { models.drawModel(*controlModel); });
    glPopMatrix();
}
