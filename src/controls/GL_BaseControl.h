#pragma once

#include "controls/ControlBox.h"
#include "controls/HelpRecord.h"
#include "controls/ParameterSlot.h"
#include "glgui/ReachProjector.h"
#include "glgui/ScreenRect.h"
#include "window/NativeGlWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class VSTGL_Editor;
class cControlListener;
struct Model3DS;

// Every visible element of the editor: a box in the 3D scene, drawn with OpenGL, fed pointer
// events by the container, and bound to parameters (or editor commands) through slots. A
// control reports what the user does to its listener and never holds the effect or the
// engine.
//
// Threads: everything runs on the editor's GUI thread with its GL context current; the host's
// parameter changes reach setValue on that thread too (the editor drains them there).
class GL_BaseControl
{
public:
    // Style bits that carry behaviour (the layout sets others, which nothing reads).
    static constexpr std::uint32_t StyleStretchTexture = 0x8;
    static constexpr std::uint32_t StyleVertical = 0x10;
    static constexpr std::uint32_t StyleOverlay = 0x40;
    static constexpr std::uint32_t StyleDepthClear = 0x100;
    static constexpr std::uint32_t StylePassive = 0x10000;
    static constexpr std::uint32_t StyleShadow = 0x80000;

    GL_BaseControl(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
                   std::uint32_t style);
    virtual ~GL_BaseControl();
    GL_BaseControl(const GL_BaseControl&) = delete;
    GL_BaseControl& operator=(const GL_BaseControl&) = delete;

    // Draws the control as it is now; a frame may call it once for each part of the picture
    // it draws again, so it changes nothing.
    virtual void draw() {}
    // Once a frame that draws, before the drawing: what moves with time moves on.
    virtual void advanceFrame() {}
    // x, y are local: window pixels minus (minX, minY + 2) of the screen rectangle.
    virtual void onMouseDown(int, int, int) {}
    virtual void onMouseDrag(int, int, int) {}
    virtual void onMouseUp(int, int, int) {}
    virtual void onMouseOver(int, int) {}
    // True while the control takes every press and move, wherever they land (an open menu).
    virtual bool holdsPointer() const { return false; }

    // Adds a slot bound to a parameter or an editor command, with its Ctrl-click value.
    void bind(SlotTarget target, float defaultValue);
    // A value from the host (or the editor's model) for a slot.
    virtual void setValue(std::size_t slot, float value);
    float getValue(std::size_t slot) const;
    const std::vector<ParameterSlot>& slots() const { return parameterSlots; }
    // The parameter slot 0 is bound to, or -1.
    int firstParameter() const;

    // True while the control changes on screen by itself, so the editor keeps drawing.
    virtual bool animating() const { return false; }
    // True when what the control would draw differs from what the last frame showed.
    virtual bool redrawDue() const { return lookChanged || animating(); }
    // Parameters the drawing reads besides the control's own slots.
    virtual bool drawsParameter(int) const { return false; }
    // When only what the control shows by itself moved (a display's live data): the part of
    // the picture that changed, inside which the control alone decides every pixel it draws
    // whatever lies beneath (an opaque picture, drawn over whole pixels), so drawing it alone
    // there over the kept picture gives what the whole scene would. Empty otherwise: the
    // control's reach is drawn again with the scene.
    virtual ScreenRect soleChange() const { return {}; }
    void markChanged() { lookChanged = true; }
    void setHovered(bool now)
    {
        if (hovered != now)
            markChanged();
        hovered = now;
    }
    bool isHovered() const { return hovered; }
    bool markedChanged() const { return lookChanged; }
    void markDrawn() { lookChanged = false; }

    // Where the control lands on screen under the editor's projection: its hit rectangle
    // and the bound of everything it may draw. Worked out again only when the camera
    // moved or the box did.
    void place(const ReachProjector& projection, bool cameraMoved);
    const ScreenRect& screenRect() const { return rect; }
    // Everything the control may draw at any of its values, shadow included, in window
    // pixels; known once the control was placed.
    const ScreenRect& reachRect() const { return reach; }
    // Where it may draw as it is now: its reach, unless a state of its own (a closed menu)
    // keeps it from part of it.
    virtual ScreenRect drawnReach() const { return reach; }
    bool reachKnown() const { return placed; }
    const ControlBox& box() const { return area; }
    std::uint32_t style() const { return styleFlags; }
    bool hasStyle(std::uint32_t bits) const { return (styleFlags & bits) != 0; }

    bool visible = true;
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float labelAnchor[3];
    float labelOffset[3] = {};
    float modelOffset[3] = {};
    std::unique_ptr<HelpRecord> help;

protected:
    bool hasSlot() const { return !parameterSlots.empty(); }
    static bool isControlClick(int buttons);
    static bool isFine(int buttons);
    // A gesture on slot 0: its beginning, each value it reaches, its end.
    void beginGesture();
    void report(float value);
    void endGesture();
    void requestCursor(platform::PointerCursor cursor);
    // What every lit model starts with: the matrix saved, alpha blending, lit colour
    // material with smooth shading. A control adds what else its model needs.
    void beginModelPass() const;
    // The model's shadow through the editor's shadow matrix into the stencil: `lift` sets
    // where the flattened copy lies, `pose` stands the model as it stands, `drawModel` draws
    // it.
    void castShadow(const std::function<void()>& lift, const std::function<void()>& pose,
                    const std::function<void()>& drawModel) const;
    // The screen bound of everything the control may draw; the box alone by default.
    virtual ScreenRect computeReach(const ReachProjector& projector) const;
    // The reach of a model's box drawn at `place` and, for a control with a shadow, drawn
    // again at shadowPlace * (the editor's shadow matrix) * shadowModel.
    ScreenRect modelReach(const ReachProjector& projector, const float place[16], const float shadowPlace[16],
                          const float shadowModel[16], const ReachProjector::SceneBox& model) const;

    VSTGL_Editor& owner;
    cControlListener& controlListener;
    ControlBox area;
    const Model3DS* controlModel;
    std::uint32_t styleFlags;
    std::vector<ParameterSlot> parameterSlots;

private:
    ControlBox placedArea{};
    bool placed = false;
    bool hovered = false;
    bool gestureOpen = false;
    ScreenRect rect;
    ScreenRect reach;
    bool lookChanged = true;
};
