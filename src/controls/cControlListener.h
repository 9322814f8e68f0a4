#pragma once

#include "controls/ParameterSlot.h"
#include "window/NativeGlWindow.h"

// How controls report what the user does: a gesture (from a press to its release) begins,
// changes values and ends, and the control asks for the pointer's shape. Controls never
// reach the effect themselves. GUI thread only.
class cControlListener
{
public:
    virtual ~cControlListener() = default;

    virtual void beginGesture(const SlotTarget& target) = 0;
    virtual void valueChanged(const SlotTarget& target, float value) = 0;
    virtual void endGesture(const SlotTarget& target) = 0;
    virtual void setCursor(platform::PointerCursor cursor) = 0;
};
