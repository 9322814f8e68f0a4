#include "controls/GL_BaseControl.h"

#include "controls/ReachProjector.h"
#include "controls/cControlListener.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

// The value-text anchor sits just above the box's top edge.
constexpr float kLabelLift = 4.0f;
constexpr int kRectEmpty = 10000;

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

void GL_BaseControl::onMouseDown(int buttons, int, int)
{
    pressButtons = buttons;
}

void GL_BaseControl::onMouseDrag(int, int, int) {}

void GL_BaseControl::onMouseUp(int, int, int)
{
    pressButtons = 0;
}

void GL_BaseControl::onMouseOver(int, int)
{
    pressButtons = 0;
}

void GL_BaseControl::bind(SlotTarget target)
{
    parameterSlots.push_back(ParameterSlot{target, 0.0f, 0.5f});
}

void GL_BaseControl::setValue(std::size_t slot, float value)
{
    if (slot >= parameterSlots.size())
        return;
    if (parameterSlots[slot].value != value)
        markChanged();
    parameterSlots[slot].value = value;
}

void GL_BaseControl::setDefault(std::size_t slot, float value)
{
    if (slot < parameterSlots.size())
        parameterSlots[slot].defaultValue = value;
}

float GL_BaseControl::getValue(std::size_t slot) const
{
    return slot < parameterSlots.size() ? parameterSlots[slot].value : 0.0f;
}

bool GL_BaseControl::isControlClick(int buttons) const
{
    return (buttons & VSTGL_Editor::kControl) != 0;
}

bool GL_BaseControl::isFine(int buttons) const
{
    return (buttons & VSTGL_Editor::kShift) != 0;
}

void GL_BaseControl::reportSlot0()
{
    if (hasSlot())
        controlListener.valueChanged(parameterSlots[0].target, parameterSlots[0].value, this);
}

void GL_BaseControl::endShadowStencil() const
{
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 0, 0);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
}

void GL_BaseControl::setCursorKind(int kind)
{
    owner.setCursorKind(kind);
}

void GL_BaseControl::updateScreenRect()
{
    const bool still = owner.cameraStill() && rectKnown;
    if (hasStyle(StylePassive) ? still : still && sameBox(area, projectedArea))
        return;
    projectedArea = area;
    rectKnown = true;

    // The corners through the current projection with an identity model-view, as the
    // window system would place them (y upwards from the bottom row).
    float projection[16];
    GLint viewport[4];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    ScreenRect result{kRectEmpty, kRectEmpty, -kRectEmpty, -kRectEmpty};
    for (int corner = 0; corner < 8; ++corner)
    {
        const float point[3] = {area.origin[0] + ((corner & 1) != 0 ? area.size[0] : 0.0f),
                                area.origin[1] + ((corner & 2) != 0 ? area.size[1] : 0.0f),
                                area.origin[2] + ((corner & 4) != 0 ? area.size[2] : 0.0f)};
        float clip[4];
        for (int row = 0; row < 4; ++row)
            clip[row] = projection[row] * point[0] + projection[4 + row] * point[1] + projection[8 + row] * point[2] +
                        projection[12 + row];
        if (clip[3] <= 0.0f)
            continue;
        const float windowX = viewport[0] + (clip[0] / clip[3] + 1.0f) * 0.5f * viewport[2];
        const float windowY = viewport[1] + (clip[1] / clip[3] + 1.0f) * 0.5f * viewport[3];
        const int x = static_cast<int>(windowX);
        const int y = static_cast<int>(windowY);
        result.minX = std::min(result.minX, x);
        result.minY = std::min(result.minY, y);
        result.maxX = std::max(result.maxX, x);
        result.maxY = std::max(result.maxY, y);
    }
    rect = result;
    reach = computeReach(ReachProjector());
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
