#include "controls/VSTGL_GUIbuild.h"

#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

namespace
{

// Local coordinates sit two pixels below the rectangle's bottom edge.
constexpr int kLocalYOffset = 2;

}  // namespace

VSTGL_GUIbuild::VSTGL_GUIbuild(VSTGL_Editor& owner) : editor(owner) {}

VSTGL_GUIbuild::~VSTGL_GUIbuild() = default;

GL_BaseControl& VSTGL_GUIbuild::addControl(std::unique_ptr<GL_BaseControl> control)
{
    controlList.push_back(std::move(control));
    return *controlList.back();
}

GL_BaseControl* VSTGL_GUIbuild::hoveredControlPointer() const
{
    if (hoveredControl < 0 || hoveredControl >= static_cast<int>(controlList.size()))
        return nullptr;
    return controlList[static_cast<std::size_t>(hoveredControl)].get();
}

bool VSTGL_GUIbuild::animating() const
{
    for (const auto& control : controlList)
    {
        if (control->visible && control->animating())
            return true;
    }
    return false;
}

void VSTGL_GUIbuild::drawControls()
{
    drawPass(false);
}

void VSTGL_GUIbuild::drawOverlay()
{
    drawPass(true);
}

void VSTGL_GUIbuild::drawPass(bool overlay)
{
    ModelBank& models = editor.resources().models();
    bool depthCleared = false;
    for (const auto& control : controlList)
    {
        if (!overlay && !depthCleared && control->hasStyle(GL_BaseControl::StyleDepthClear))
        {
            glClear(GL_DEPTH_BUFFER_BIT);
            depthCleared = true;
        }
        if (!control->visible || control->hasStyle(GL_BaseControl::StyleOverlay) != overlay)
            continue;
        // A control wholly outside the region a partial frame draws still runs its drawing
        // (which keeps time and leaves the GL state the next control starts from), but its
        // models, which the clip would throw away, are not sent.
        const ScreenRect* clip = editor.sceneClip();
        const bool clippedAway = clip != nullptr && control->reachKnown() && !control->reachRect().overlaps(*clip);
        models.setSending(!clippedAway);
        control->draw();
        models.setSending(true);
    }
}

void VSTGL_GUIbuild::placeControls()
{
    for (const auto& control : controlList)
        control->place(editor.projection(), !editor.cameraStill());
}

int VSTGL_GUIbuild::controlAt(int x, int y) const
{
    for (std::size_t i = 0; i < controlList.size(); ++i)
    {
        if (controlList[i]->visible && controlList[i]->holdsPointer())
            return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < controlList.size(); ++i)
    {
        const GL_BaseControl& control = *controlList[i];
        if (control.visible && !control.hasStyle(GL_BaseControl::StylePassive) && control.screenRect().contains(x, y))
            return static_cast<int>(i);
    }
    return kNone;
}

void VSTGL_GUIbuild::mouseDown(int buttons, int x, int y)
{
    pressed = controlAt(x, y);
    if (pressed == kNone)
        return;
    GL_BaseControl& control = *controlList[static_cast<std::size_t>(pressed)];
    const ScreenRect& rect = control.screenRect();
    dropHover();
    hoveredControl = pressed;
    control.setHovered(true);
    control.markChanged();
    control.onMouseDown(buttons, x - rect.minX, y - rect.minY - kLocalYOffset);
}

void VSTGL_GUIbuild::mouseMove(int buttons, int x, int y)
{
    if (pressed != kNone)
    {
        GL_BaseControl& control = *controlList[static_cast<std::size_t>(pressed)];
        const ScreenRect& rect = control.screenRect();
        control.markChanged();
        control.onMouseDrag(buttons, x - rect.minX, y - rect.minY - kLocalYOffset);
        // The pressed control stays the hovered one until the release.
        return;
    }
    const int under = controlAt(x, y);
    if (under != hoveredControl)
        dropHover();
    hoveredControl = under;
    if (under == kNone)
        return;
    GL_BaseControl& control = *controlList[static_cast<std::size_t>(under)];
    const ScreenRect& rect = control.screenRect();
    control.setHovered(true);
    control.markChanged();
    control.onMouseOver(x - rect.minX, y - rect.minY - kLocalYOffset);
}

void VSTGL_GUIbuild::mouseUp(int buttons, int x, int y)
{
    if (pressed == kNone)
        return;
    GL_BaseControl& control = *controlList[static_cast<std::size_t>(pressed)];
    const ScreenRect& rect = control.screenRect();
    control.markChanged();
    pressed = kNone;
    control.onMouseUp(buttons, x - rect.minX, y - rect.minY - kLocalYOffset);
}

void VSTGL_GUIbuild::clearHover()
{
    if (pressed == kNone)
        dropHover();
}

void VSTGL_GUIbuild::dropHover()
{
    if (GL_BaseControl* control = hoveredControlPointer())
        control->setHovered(false);
    hoveredControl = kNone;
}

void VSTGL_GUIbuild::parameterChanged(int index, float value)
{
    for (const auto& control : controlList)
    {
        const std::vector<ParameterSlot>& slots = control->slots();
        for (std::size_t slot = 0; slot < slots.size(); ++slot)
        {
            if (slots[slot].target.isParameter(index))
                control->setValue(slot, value);
        }
        if (control->drawsParameter(index))
            control->markChanged();
    }
}

bool VSTGL_GUIbuild::collectDamage(ScreenRect& region) const
{
    for (const auto& control : controlList)
    {
        if (!control->visible || !control->redrawDue())
            continue;
        if (!control->reachKnown())
            return false;
        region.unite(control->reachRect());
    }
    return true;
}

void VSTGL_GUIbuild::markAllDrawn()
{
    for (const auto& control : controlList)
        control->markDrawn();
}
