#pragma once

#include "params/ParameterTable.h"

#include <bitset>

class EditorEffect;
class EditorModel;

// The user's edits on their way to the host. A gesture, from a press to its release, is one
// begin-edit ... end-edit for each parameter it changes, so touch-style automation recording
// holds the lane while the user drags. Every edit also goes into the editor's model at once,
// so the next rule that reads it sees it. GUI thread only.
class HostEdits
{
public:
    HostEdits(EditorEffect& effectLink, EditorModel& editorModel) : effect(effectLink), model(editorModel) {}

    void begin(int index);
    // Inside a gesture, an automated change; outside one, a gesture of its own.
    void change(int index, float value);
    void end(int index);
    // Ends every gesture still open (the editor closes mid-drag, or a release went astray).
    void endAll();
    // True once after any edit of the equaliser's points.
    bool takeCurveEdited();

private:
    EditorEffect& effect;
    EditorModel& model;
    std::bitset<kNumParameters> open;
    bool curveEdited = false;
};
