#pragma once

#include "controls/GL_BaseControl.h"
#include "glgui/DamageRegion.h"

#include <memory>
#include <string>
#include <vector>

class VSTGL_Editor;

// The editor's control container: owns the controls in list order (drawing order, and the
// order in which they take the pointer: where controls overlap, the first in the list gets
// both the press and the hover), places them on screen, and hands parameter values to every
// slot bound to them. GUI thread only.
class VSTGL_GUIbuild
{
public:
    static constexpr int kNone = -1;

    explicit VSTGL_GUIbuild(VSTGL_Editor& editor);
    virtual ~VSTGL_GUIbuild();
    VSTGL_GUIbuild(const VSTGL_GUIbuild&) = delete;
    VSTGL_GUIbuild& operator=(const VSTGL_GUIbuild&) = delete;

    // First pass: every visible control without StyleOverlay, the depth buffer cleared once
    // before the first StyleDepthClear control.
    virtual void drawControls();
    // Second pass: the StyleOverlay controls.
    virtual void drawOverlay();
    // Works out where each control lands on screen, as the editor's camera sees it now.
    virtual void placeControls();
    // Once a frame that draws: every visible control's time moves on.
    void advanceFrame();

    // Pointer hooks, window pixels with y upwards.
    virtual void mouseDown(int buttons, int x, int y);
    virtual void mouseMove(int buttons, int x, int y);
    virtual void mouseUp(int buttons, int x, int y);
    // The pointer left the window: nothing is hovered any more.
    void clearHover();

    // Sets every slot bound to the parameter, in list order, and marks the controls whose
    // drawing reads it.
    void parameterChanged(int index, float value);
    // A part of the picture one control draws alone (see GL_BaseControl::soleChange).
    struct SolePart
    {
        ScreenRect part;
        std::size_t control;
    };
    // Adds the reach of every control whose picture changed since the last frame to the
    // scene's parts, or, where the control may draw the change alone because no other control
    // reaches it, to the sole parts; false when such a control was never placed, so only a
    // whole frame is sure to show it.
    bool collectDamage(DamageRegion& scene, std::vector<SolePart>& sole) const;
    // Draws one control by itself (for its sole part), with the GL state the scene's pass
    // would give it.
    void drawAlone(std::size_t index);
    void markAllDrawn();

    GL_BaseControl& addControl(std::unique_ptr<GL_BaseControl> control);
    const std::vector<std::unique_ptr<GL_BaseControl>>& controls() const { return controlList; }
    int pressedIndex() const { return pressed; }
    int hoveredIndex() const { return hoveredControl; }
    GL_BaseControl* hoveredControlPointer() const;
    // True while a visible control animates by itself or has a change to show, whatever
    // made the change (a key, the host, a menu page).
    bool frameDue() const;

protected:
    void drawPass(bool overlay);
    void dropHover();

    VSTGL_Editor& editor;

private:
    // The control that takes the pointer at (x, y), or kNone.
    int controlAt(int x, int y) const;
    // The part of `alone` no control but the given one could change a pixel of (one drawn
    // before it without a shadow lies beneath its opaque picture and cannot); a band along
    // one of its sides that another reaches goes to the scene's parts. Empty when another
    // reaches further in.
    ScreenRect aloneInside(std::size_t index, ScreenRect alone, DamageRegion& scene) const;

    std::vector<std::unique_ptr<GL_BaseControl>> controlList;
    int pressed = kNone;
    int hoveredControl = kNone;
};
