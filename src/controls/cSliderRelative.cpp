#include "controls/cSliderRelative.h"

#include "base/UnitRange.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

#include <algorithm>

namespace
{

constexpr float kShadowLift = 0.2f;
// Value text above a vertical handle, beside a horizontal one.
constexpr float kVerticalLabelLift = 20.0f;
constexpr float kHorizontalLabelLift = 16.0f;

}  // namespace

cSliderRelative::cSliderRelative(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                                 const Model3DS* model, std::uint32_t style, float handle)
    : cDragControl(editor, listener, box, model, style), handleLength(handle)
{
}

float cSliderRelative::position() const
{
    return clampedToUnit(getValue(0));
}

void cSliderRelative::dragBy(int dx, int dy, bool fine)
{
    const float factor = fine ? kFineFactor : 1.0f;
    // Measured back from the pointer, as the handle trails it.
    const float delta = static_cast<float>(vertical() ? -dy : -dx) * factor;
    setValue(0, std::clamp(position() - delta / (trackLength() - handleLength), 0.0f, 1.0f));
}

void cSliderRelative::resetToDefault()
{
    setValue(0, kNeutralPosition);
}

platform::PointerCursor cSliderRelative::dragCursor() const
{
    return vertical() ? platform::PointerCursor::SizeNorthSouth : platform::PointerCursor::SizeWestEast;
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
    handleCentre(position(), centre);
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
    beginModelPass();
    glDisable(GL_TEXTURE_2D);
    glLoadIdentity();
    const float offset = (trackLength() - handleLength) * position() + handleLength / 2.0f;
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
        castShadow([] { glTranslatef(0.0f, 0.0f, kShadowLift); }, [&] { placeHandle(); },
                   [&] { models.drawModel(*controlModel); });
    glPopMatrix();
}
