#pragma once

#include "controls/ParameterSlot.h"

class GL_BaseControl;

// How controls reach the effect: through the editor, never directly.
class cControlListener
{
public:
    virtual ~cControlListener() = default;

    // A control changed the value of a slot's parameter or command (GUI thread).
    virtual void valueChanged(const SlotTarget& target, float value, GL_BaseControl* control) = 0;
    // The effect's current normalised value of parameter index.
    virtual float readParameter(int index) = 0;
    // Tells the host about a change it should record.
    virtual void automateParameter(int index, float value) = 0;
    // Sets the effect's parameter without telling the host.
    virtual void writeParameter(int index, float value) = 0;
};
