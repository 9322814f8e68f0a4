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

bool VSTGL_GUIbuild::frameDue() const
{
    for (const auto& control : controlList)
    {
        if (control->visible && (control->animating() || control->redrawDue()))
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
        // A control wholly outside the part a partial frame draws still runs its drawing
        // (which leaves the GL state the next control starts from), but its models, which
        // the clip would throw away, are not sent.
        const ScreenRect* clip = editor.sceneClip();
        const bool clippedAway = clip != nullptr && control->reachKnown() && !control->reachRect().overlaps(*clip);
        models.setSending(!clippedAway);
        control->draw();
        models.setSending(true);
    }
}

void VSTGL_GUIbuild::advanceFrame()
{
    for (const auto& control : controlList)
    {
        if (control->visible)
            control->advanceFrame();
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

bool VSTGL_GUIbuild::collectDamage(DamageRegion& scene, std::vector<SolePart>& sole) const
{
    for (std::size_t i = 0; i < controlList.size(); ++i)
    {
        const GL_BaseControl& control = *controlList[i];
        if (!control.visible || !control.redrawDue())
            continue;
        if (!control.reachKnown())
            return false;
        DamageRegion bands;
        const ScreenRect alone = aloneInside(i, control.soleChange(), bands);
        if (alone.empty())
        {
            scene.add(control.reachRect());
            continue;
        }
        sole.push_back(SolePart{alone, i});
        scene.add(bands);
    }
    return true;
}

namespace
{

// Cuts from `part` the band along one of its sides that `cut` covers, adding it to `bands`;
// false when `cut` does not lie along a side.
bool cutSideBand(ScreenRect& part, const ScreenRect& cut, DamageRegion& bands)
{
    ScreenRect band = part;
    const bool wholeHeight = cut.minY <= part.minY && cut.maxY >= part.maxY;
    const bool wholeWidth = cut.minX <= part.minX && cut.maxX >= part.maxX;
    if (wholeHeight && cut.minX <= part.minX)
        part.minX = band.maxX = cut.maxX;
    else if (wholeHeight && cut.maxX >= part.maxX)
        part.maxX = band.minX = cut.minX;
    else if (wholeWidth && cut.minY <= part.minY)
        part.minY = band.maxY = cut.maxY;
    else if (wholeWidth && cut.maxY >= part.maxY)
        part.maxY = band.minY = cut.minY;
    else
        return false;
    bands.add(band);
    return !part.empty();
}

}  // namespace

ScreenRect VSTGL_GUIbuild::aloneInside(std::size_t index, ScreenRect alone, DamageRegion& scene) const
{
    const bool overlayPass = controlList[index]->hasStyle(GL_BaseControl::StyleOverlay);
    for (std::size_t i = 0; i < controlList.size() && !alone.empty(); ++i)
    {
        const GL_BaseControl& other = *controlList[i];
        if (i == index || !other.visible || !other.reachKnown())
            continue;
        // The overlay pass comes after the other.
        const bool drawnBefore = other.hasStyle(GL_BaseControl::StyleOverlay) == overlayPass ? i < index : overlayPass;
        if (drawnBefore && !other.hasStyle(GL_BaseControl::StyleShadow))
            continue;
        const ScreenRect reached = other.drawnReach();
        if (reached.overlaps(alone) && !cutSideBand(alone, reached, scene))
            return {};
    }
    return alone;
}

void VSTGL_GUIbuild::drawAlone(std::size_t index)
{
    if (index < controlList.size())
        controlList[index]->draw();
}

void VSTGL_GUIbuild::markAllDrawn()
{
    for (const auto& control : controlList)
        control->markDrawn();
}
