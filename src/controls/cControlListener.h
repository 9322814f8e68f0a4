#pragma once

class GL_BaseControl;

// How controls reach the effect: through the editor, never directly. Indices 0-41 are effect
// parameters; higher indices are editor commands.
class cControlListener
{
public:
    virtual ~cControlListener() = default;

    // A control changed the value bound to index (GUI thread).
    virtual void valueChanged(int index, float value, GL_BaseControl* control) = 0;
    // The effect's current normalised value of parameter index.
    virtual float readParameter(int index) = 0;
    // Tells the host about a change it should record.
    virtual void automateParameter(int index, float value) = 0;
    // Sets the effect's parameter without telling the host.
    virtual void writeParameter(int index, float value) = 0;
};
