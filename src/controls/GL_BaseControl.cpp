#include "controls/GL_BaseControl.h"

#include "controls/cControlListener.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

#include <cstring>

namespace
{

// The value-text anchor sits just above the box's top edge.
constexpr float kLabelLift = 4.0f;

bool sameBox(const ControlBox& a, const ControlBox& b)
{
    return std::memcmp(&a, &b, sizeof(ControlBox)) == 0;
}

}  // namespace

GL_BaseControl::GL_BaseControl(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                               const Model3DS* model, std::uint32_t style)
    : labelAnchor{box.centre[0], box.origin[1] + box.size[1] + kLabelLift, box.origin[2] + box.size[2]}, owner(editor),
      controlListener(listener), area(box), controlModel(model), styleFlags(style)
{
}

GL_BaseControl::~GL_BaseControl() = default;

void GL_BaseControl::bind(SlotTarget target, float defaultValue)
{
    parameterSlots.push_back(ParameterSlot{target, 0.0f, defaultValue});
}

void GL_BaseControl::setValue(std::size_t slot, float value)
{
    if (slot >= parameterSlots.size())
        return;
    if (parameterSlots[slot].value != value)
        markChanged();
    parameterSlots[slot].value = value;
}

float GL_BaseControl::getValue(std::size_t slot) const
{
    return slot < parameterSlots.size() ? parameterSlots[slot].value : 0.0f;
}

int GL_BaseControl::firstParameter() const
{
    if (!hasSlot() || parameterSlots[0].target.kind != SlotTarget::Kind::Parameter)
        return -1;
    return parameterSlots[0].target.index;
}

bool GL_BaseControl::isControlClick(int buttons)
{
    return (buttons & VSTGL_Editor::kControl) != 0;
}

bool GL_BaseControl::isFine(int buttons)
{
    return (buttons & VSTGL_Editor::kShift) != 0;
}

void GL_BaseControl::beginGesture()
{
    if (!hasSlot() || gestureOpen)
        return;
    gestureOpen = true;
    controlListener.beginGesture(parameterSlots[0].target);
}

void GL_BaseControl::report(float value)
{
    if (hasSlot())
        controlListener.valueChanged(parameterSlots[0].target, value);
}

void GL_BaseControl::endGesture()
{
    if (!gestureOpen)
        return;
    gestureOpen = false;
    controlListener.endGesture(parameterSlots[0].target);
}

void GL_BaseControl::requestCursor(platform::PointerCursor cursor)
{
    controlListener.setCursor(cursor);
}

void GL_BaseControl::beginModelPass() const
{
    glPushMatrix();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
}

void GL_BaseControl::castShadow(const std::function<void()>& lift, const std::function<void()>& pose,
                                const std::function<void()>& drawModel) const
{
    glLoadIdentity();
    lift();
    glMultMatrixf(owner.shadowMatrix());
    pose();
    owner.beginShadowStencil();
    drawModel();
    // Colour writes back on, stencil test off.
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 0, 0);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
}

void GL_BaseControl::place(const ReachProjector& projection, bool cameraMoved)
{
    if (placed && !cameraMoved && sameBox(area, placedArea))
        return;
    placedArea = area;
    placed = true;
    const ReachProjector::SceneBox box{
        {area.origin[0], area.origin[1], area.origin[2]},
        {area.origin[0] + area.size[0], area.origin[1] + area.size[1], area.origin[2] + area.size[2]}};
    rect = projection.corners(box);
    reach = computeReach(projection);
}

ScreenRect GL_BaseControl::computeReach(const ReachProjector& projector) const
{
    float identity[16];
    ReachProjector::identity(identity);
    const ReachProjector::SceneBox box{
        {area.origin[0], area.origin[1], area.origin[2]},
        {area.origin[0] + area.size[0], area.origin[1] + area.size[1], area.origin[2] + area.size[2]}};
    return projector.box(identity, box);
}

ScreenRect GL_BaseControl::modelReach(const ReachProjector& projector, const float place[16],
                                      const float shadowPlace[16], const float shadowModel[16],
                                      const ReachProjector::SceneBox& model) const
{
    ScreenRect result = projector.box(place, model);
    if (hasStyle(StyleShadow))
    {
        float flattened[16];
        ReachProjector::multiply(shadowPlace, owner.shadowMatrix(), flattened);
        ReachProjector::multiply(flattened, shadowModel, flattened);
        result.unite(projector.box(flattened, model));
    }
    return result;
}
