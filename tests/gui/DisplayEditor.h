#pragma once

#include "editor/ShaderSet.h"
#include "glgui/OpenGL.h"
#include "glgui/VSTGL_Editor.h"

#include <functional>
#include <memory>
#include <string>

// An editor on the framework with the application's shader set over the generated skin:
// each frame clears to black and hands the resources and the shader set to the test.
class DisplayEditor : public VSTGL_Editor
{
public:
    using Drawing = std::function<void(GuiResources&, ShaderSet&)>;

    DisplayEditor(const std::string& skinFolder, Drawing drawing)
        : VSTGL_Editor(skinFolder), drawFrame(std::move(drawing))
    {
        setEditorSize(512, 624);
        resources().loadSkin(
            {{"missing.png", "eq_ring.png", "line.png", "eq_fft, 512, 1, r32f, float, nomips, clamp"}, {}, {}});
    }
    ~DisplayEditor() override { close(); }
    // So that a test's next renderFrame draws.
    using VSTGL_Editor::invalidateWholeFrame;

    std::unique_ptr<ShaderSet> shaders;

protected:
    void openGui() override
    {
        resources().resetViewMode();
        shaders = std::make_unique<ShaderSet>(resources().files(), width(), height());
        setGuiReady(true);
    }
    void closeGui() override
    {
        shaders.reset();
        setGuiReady(false);
    }
    void draw() override
    {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        resources().setOrthoView();
        glLoadIdentity();
        drawFrame(resources(), *shaders);
    }

private:
    Drawing drawFrame;
};
