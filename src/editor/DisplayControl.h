#pragma once

#include "controls/GL_BaseControl.h"
#include "editor/DeviceQuad.h"

class EditorModel;
class ShaderSet;

// Base of the editor's live displays: a flat quad over the control's box, filled by one of
// the shader set's programs from what the editor's model holds.
class DisplayControl : public GL_BaseControl
{
public:
    DisplayControl(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                   ShaderSet& shaders, const EditorModel& model);

protected:
    // The quad, opaque: it hides whatever lies beneath.
    void drawQuad();

    ShaderSet& shaders;
    const EditorModel& model;
    DeviceQuad quad;
};
