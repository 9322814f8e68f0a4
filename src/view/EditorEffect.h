#pragma once

#include <string>

// The effect as its editor sees it: parameter values and the host's edit gestures. The
// effect implements it; the editor holds nothing else of the effect.
class EditorEffect
{
public:
    virtual ~EditorEffect() = default;

    virtual float getParameter(int index) = 0;
    // Sets the value without telling the host.
    virtual void setParameter(int index, float value) = 0;
    // Sets the value and tells the host to record it.
    virtual void setParameterAutomated(int index, float value) = 0;
    virtual bool beginEdit(int index) = 0;
    virtual bool endEdit(int index) = 0;
    // The program's name, which every format's state carries: the editor names the program
    // after the preset the user loaded or saved, and finds that preset again by it.
    virtual std::string programName() = 0;
    virtual void renameProgram(const std::string& name) = 0;
    // Asks the host to give the editor's window a new size in pixels; false when it will not.
    virtual bool requestEditorSize(int width, int height) = 0;
};
