#pragma once

#include "editor/SettingHistory.h"
#include "params/ParameterTable.h"

#include <bitset>

class EditorEffect;
class EditorModel;

// The user's edits on their way to the host. A gesture, from a press to its release, is one
// begin-edit ... end-edit for each parameter it changes, so touch-style automation recording
// holds the lane while the user drags. Every edit also goes into the editor's model at once,
// so the next rule that reads it sees it. Each finished gesture, and each whole setting put
// in place (a preset, the other A/B slot), is one undo step; what undo, redo and a whole
// setting change reaches the host as the user's own edits would, one gesture per parameter.
// GUI thread only; kept while the editor closes and opens again.
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

    // The setting the model holds now.
    Setting current() const;
    // Puts a whole setting in place as one undo step. Refused (false) while the user holds a
    // gesture, as are undo and redo.
    bool apply(const Setting& target);
    bool undo();
    bool redo();
    // True while the user holds a control.
    bool holdsGesture() const { return gestureOpen(); }
    bool canUndo() const { return history.canUndo(); }
    bool canRedo() const { return history.canRedo(); }

private:
    bool gestureOpen() const { return open.any(); }
    // A change in a gesture of its own, not recorded as a step.
    void changeAlone(int index, float value);
    // Sets each parameter of a step to its value before or after it, one gesture each.
    void replay(const SettingHistory::Step& step, float SettingHistory::Change::*value);

    EditorEffect& effect;
    EditorModel& model;
    std::bitset<kNumParameters> open;
    bool curveEdited = false;
    SettingHistory history;
    Setting gestureStart{};
};
