#include "controls/cDial.h"

#include "base/UnitRange.h"
#include "controls/ReachProjector.h"
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

cDial::cDial(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
             std::uint32_t style)
    : GL_BaseControl(editor, listener, box, model, style)
{
}

void cDial::onMouseDown(int buttons, int x, int y)
{
    pressButtons = buttons;
    if (isControlClick(buttons) && hasSlot())
        setValue(0, parameterSlots[0].defaultValue);
    lastX = x;
    lastY = y;
    onMouseDrag(buttons, x, y);
}

void cDial::onMouseDrag(int buttons, int x, int y)
{
    if (isControlClick(buttons))
    {
        if (hasSlot())
            setValue(0, parameterSlots[0].defaultValue);
    }
    else
    {
        const int delta = (x - lastX) + (y - lastY);
        lastX = x;
        lastY = y;
        const float step = isFine(buttons) ? kFineStepPerPixel : kStepPerPixel;
        setValue(0, std::clamp(dialValue + static_cast<float>(delta) * step, 0.0f, 1.0f));
    }
    reportSlot0();
}

void cDial::onMouseOver(int, int)
{
    pressButtons = 0;
    setCursorKind(kCursorHand);
}

void cDial::setValue(std::size_t slot, float value)
{
    dialValue = value;
    GL_BaseControl::setValue(slot, value);
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
    if (!visible)
        return;
    glPushMatrix();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_COLOR_MATERIAL);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    shownValue = clampedToUnit(getValue(0));
    const float angle = kAngleAtZero - shownValue * kSweepDegrees;
    glLoadIdentity();
    placeModel(0.0f);
    glEnable(GL_DEPTH_TEST);
    glRotatef(angle, 0.0f, 0.0f, 1.0f);
    glColor4fv(colour);
    ModelBank& models = owner.resources().models();
    if (controlModel != nullptr)
        models.drawModel(*controlModel);
    if (hasStyle(StyleShadow) && controlModel != nullptr)
    {
        glLoadIdentity();
        placeModel(kShadowLift);
        glMultMatrixf(owner.shadowMatrix());
        if (hasSlot())
            glRotatef(angle, 0.0f, 0.0f, 1.0f);
        owner.beginShadowStencil();
        models.drawModel(*controlModel);
        endShadowStencil();
    }
    updateScreenRect();
    glPopMatrix();
}
