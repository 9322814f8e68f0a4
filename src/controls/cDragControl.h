#pragma once

#include "controls/GL_BaseControl.h"

// The pointer rules every knob-like control shares (dials, sliders, wheels): a press begins
// a gesture on the control's parameter, each pointer move carries the value along by the
// pointer's travel since the last event (finer with Shift), Control sets it back to its
// default instead, and the release ends the gesture. Hovering and dragging show the
// control's cursor. A control only says how travel moves its value.
class cDragControl : public GL_BaseControl
{
public:
    using GL_BaseControl::GL_BaseControl;

    void onMouseDown(int buttons, int x, int y) final;
    void onMouseDrag(int buttons, int x, int y) final;
    void onMouseUp(int buttons, int x, int y) final;
    void onMouseOver(int x, int y) final;

protected:
    // Moves the value by (dx, dy) pixels of pointer travel, y upwards; a press moves it by
    // nothing, which brings a far-out stored value into range.
    virtual void dragBy(int dx, int dy, bool fine) = 0;
    // Ctrl-click: back to the default.
    virtual void resetToDefault() = 0;
    // The value the host is told.
    virtual float dragValue() const = 0;
    virtual platform::PointerCursor dragCursor() const = 0;

private:
    void follow(int buttons, int x, int y);

    int lastX = 0;
    int lastY = 0;
};
