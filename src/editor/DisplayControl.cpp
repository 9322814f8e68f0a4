#include "editor/DisplayControl.h"

#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

DisplayControl::DisplayControl(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box,
                               std::uint32_t style, ShaderSet& shaderSet, const EditorModel& editorModel)
    : GL_BaseControl(editor, listener, box, nullptr, style), shaders(shaderSet), model(editorModel),
      quad(DeviceQuad::fromBox(box.origin[0], box.origin[1], box.size[0], box.size[1], editor.editorWidth(),
                               editor.editorHeight()))
{
}

void DisplayControl::drawQuad()
{
    // Opaque whatever blending the controls before left on, which the next ones expect back.
    const bool blending = glIsEnabled(GL_BLEND) == GL_TRUE;
    glDisable(GL_BLEND);
    quad.draw(owner.resources());
    if (blending)
        glEnable(GL_BLEND);
}
