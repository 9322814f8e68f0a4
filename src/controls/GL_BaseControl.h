#pragma once

#include "controls/ControlBox.h"
#include "controls/HelpRecord.h"
#include "controls/ParameterSlot.h"
#include "controls/ReachProjector.h"
#include "glgui/ScreenRect.h"

#include <cstdint>
#include <memory>
#include <vector>

class VSTGL_Editor;
class cControlListener;
struct Model3DS;

// Every visible element of the editor: a box in the 3D scene, drawn with OpenGL, fed pointer
// events by the container, and bound to parameters through slots. A control reports changes
// to the listener (the editor) and never holds the effect or the engine.
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

    // Cursor kinds a control asks the editor for while hovered or dragged.
    static constexpr int kCursorWestEast = 2;
    static constexpr int kCursorNorthSouth = 3;
    static constexpr int kCursorHand = 9;

    GL_BaseControl(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, const Model3DS* model,
                   std::uint32_t style);
    virtual ~GL_BaseControl();
    GL_BaseControl(const GL_BaseControl&) = delete;
    GL_BaseControl& operator=(const GL_BaseControl&) = delete;

    virtual void draw() {}
    // x, y are local: window pixels minus (minX, minY + 2) of the screen rectangle.
    virtual void onMouseDown(int buttons, int x, int y);
    virtual void onMouseDrag(int buttons, int x, int y);
    virtual void onMouseUp(int buttons, int x, int y);
    virtual void onMouseOver(int x, int y);
    // Adds a slot bound to a parameter or an editor command.
    void bind(SlotTarget target);
    virtual void setValue(std::size_t slot, float value);
    virtual void setDefault(std::size_t slot, float value);
    virtual float getValue(std::size_t slot) const;
    // True while the control changes on screen by itself, so the editor keeps drawing.
    virtual bool animating() const { return false; }
    // True when what the control would draw differs from what the last frame showed.
    virtual bool redrawDue() const { return lookChanged || animating(); }
    // Parameters the drawing reads besides the control's own slots.
    virtual bool drawsParameter(int) const { return false; }
    void markChanged() { lookChanged = true; }
    void setHovered(bool now)
    {
        if (hovered != now)
            markChanged();
        hovered = now;
    }
    void markDrawn() { lookChanged = false; }

    // Projects the box's corners to window pixels when the box or the camera moved.
    void updateScreenRect();

    const ScreenRect& screenRect() const { return rect; }
    // Everything the control may draw at any of its values, shadow included, in window
    // pixels; known once the control was drawn.
    const ScreenRect& reachRect() const { return reach; }
    bool reachKnown() const { return rectKnown; }
    const ControlBox& box() const { return area; }
    std::uint32_t style() const { return styleFlags; }
    bool hasStyle(std::uint32_t bits) const { return (styleFlags & bits) != 0; }
    const std::vector<ParameterSlot>& slots() const { return parameterSlots; }

    bool visible = true;
    bool hovered = false;  // set through setHovered, which marks the change
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float labelAnchor[3];
    float labelOffset[3] = {};
    float modelOffset[3] = {};
    std::unique_ptr<HelpRecord> help;

protected:
    bool hasSlot() const { return !parameterSlots.empty(); }
    bool isControlClick(int buttons) const;
    bool isFine(int buttons) const;
    // Reports slot 0 to the listener.
    void reportSlot0();
    // The shadow pass tail: colour writes back on, stencil test off.
    void endShadowStencil() const;
    void setCursorKind(int kind);
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
    int pressButtons = 0;
    std::vector<ParameterSlot> parameterSlots;

private:
    ControlBox projectedArea{};
    bool rectKnown = false;
    ScreenRect rect;
    ScreenRect reach;
    bool lookChanged = true;
};
