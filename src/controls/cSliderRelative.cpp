#include "controls/cSliderRelative.h"

#include "base/UnitRange.h"
#include "controls/ReachProjector.h"
#include "controls/cControlListener.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

#include <algorithm>

namespace
{

constexpr float kNeutralPosition = 0.5f;
constexpr float kShadowLift = 0.2f;
// Value text above a vertical handle, beside a horizontal one.
constexpr float kVerticalLabelLift = 20.0f;
constexpr float kHorizontalLabelLift = 16.0f;

}  // namespace

cSliderRelative::cSliderRelative(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                                 const Model3DS* model, std::uint32_t style, float handle)
    : GL_BaseControl(editor, listener, box, model, style), handleLength(handle)
{
}

void cSliderRelative::reportPosition()
{
    if (!hasSlot())
        return;
    setValue(0, position);
    controlListener.valueChanged(parameterSlots[0].target, position, this);
}

void cSliderRelative::onMouseDown(int buttons, int x, int y)
{
    pressButtons = buttons;
    lastX = x;
    lastY = y;
    if (isControlClick(buttons) && hasSlot())
        setValue(0, parameterSlots[0].defaultValue);
    reportPosition();
    setCursorKind(cursorForTrack());
    onMouseDrag(buttons, x, y);
}

void cSliderRelative::onMouseDrag(int buttons, int x, int y)
{
    if (isControlClick(buttons))
    {
        // A slider's neutral position is its centre, whatever its slot's default.
        position = kNeutralPosition;
    }
    else
    {
        setCursorKind(cursorForTrack());
        const float factor = isFine(buttons) ? kFineFactor : 1.0f;
        const float delta = static_cast<float>(vertical() ? lastY - y : lastX - x) * factor;
        position = std::clamp(position - delta / (trackLength() - handleLength), 0.0f, 1.0f);
    }
    lastX = x;
    lastY = y;
    reportPosition();
}

void cSliderRelative::onMouseOver(int, int)
{
    pressButtons = 0;
    setCursorKind(cursorForTrack());
}

void cSliderRelative::setValue(std::size_t slot, float value)
{
    GL_BaseControl::setValue(slot, value);
    if (slot == 0)
        position = clampedToUnit(value);
}

void cSliderRelative::handleCentre(float at, float centre[3]) const
{
    const float offset = (trackLength() - handleLength) * at + handleLength / 2.0f;
    centre[0] = vertical() ? area.centre[0] : area.origin[0] + offset;
    centre[1] = vertical() ? area.origin[1] + offset : area.centre[1];
    centre[2] = area.origin[2];
}

void cSliderRelative::placeHandle() const
{
    float centre[3];
    handleCentre(position, centre);
    glTranslatef(centre[0], centre[1], centre[2]);
    if (vertical())
        glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
}

ScreenRect cSliderRelative::computeReach(const ReachProjector& projector) const
{
    if (controlModel == nullptr)
        return GL_BaseControl::computeReach(projector);
    ReachProjector::SceneBox handle = ReachProjector::modelBounds(*controlModel);
    if (vertical())
    {
        // A quarter turn about z: (x, y) becomes (-y, x).
        const ReachProjector::SceneBox lying = handle;
        handle = {{-lying.high[1], lying.low[0], lying.low[2]}, {-lying.low[1], lying.high[0], lying.high[2]}};
    }
    float shadowPlace[16];
    ReachProjector::translation(0.0f, 0.0f, kShadowLift, shadowPlace);
    // The handle travels in a straight line: its two ends bound every place between.
    ScreenRect result;
    for (float end : {0.0f, 1.0f})
    {
        float centre[3];
        handleCentre(end, centre);
        float place[16];
        ReachProjector::translation(centre[0], centre[1], centre[2], place);
        result.unite(modelReach(projector, place, shadowPlace, place, handle));
    }
    return result;
}

void cSliderRelative::draw()
{
    if (!visible)
        return;
    glPushMatrix();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glLoadIdentity();
    const float offset = (trackLength() - handleLength) * position + handleLength / 2.0f;
    if (vertical())
    {
        labelAnchor[0] = area.centre[0];
        labelAnchor[1] = area.origin[1] + offset + kVerticalLabelLift;
    }
    else
    {
        labelAnchor[0] = area.origin[0] + offset;
        labelAnchor[1] = area.centre[1] + kHorizontalLabelLift;
    }
    labelAnchor[2] = area.origin[2] + area.size[2] / 2.0f;
    placeHandle();
    glColor4fv(colour);
    ModelBank& models = owner.resources().models();
    if (controlModel != nullptr)
        models.drawModel(*controlModel);
    if (hasStyle(StyleShadow) && controlModel != nullptr)
    {
        glLoadIdentity();
        glTranslatef(0.0f, 0.0f, kShadowLift);
        glMultMatrixf(owner.shadowMatrix());
        placeHandle();
        owner.beginShadowStencil();
        models.drawModel(*controlModel);
        endShadowStencil();
    }
    updateScreenRect();
    glPopMatrix();
}
