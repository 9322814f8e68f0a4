#pragma once

#include "vst/VstAbi.h"

// The effect as its editor sees it: parameter values and the host's edit gestures. The
// effect implements it; the editor holds nothing else of the effect.
class EditorEffect
{
public:
    virtual ~EditorEffect() = default;

    virtual float getParameter(VstInt32 index) = 0;
    // Sets the value without telling the host.
    virtual void setParameter(VstInt32 index, float value) = 0;
    // Sets the value and tells the host to record it (audioMasterAutomate).
    virtual void setParameterAutomated(VstInt32 index, float value) = 0;
    virtual bool beginEdit(VstInt32 index) = 0;
    virtual bool endEdit(VstInt32 index) = 0;
    // Asks the host to give the editor's window a new size in pixels; false when it will not.
    virtual bool requestEditorSize(int width, int height) = 0;
};
