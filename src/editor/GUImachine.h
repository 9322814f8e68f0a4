#pragma once

#include "controls/VSTGL_GUIbuild.h"
#include "editor/EditorLayout.h"

#include <memory>
#include <string>

class EffectEditor;
class ShaderSet;

// The editor's control container: builds the layout's controls, draws them in two passes,
// and over them the hovered control's value text and, while Info is on, its information
// panel. Created at every editor opening, destroyed at every close; GUI thread only.
class GUImachine : public VSTGL_GUIbuild
{
public:
    static constexpr int kHoverTimeoutFrames = 150;
    static constexpr float kHelpWrapWidth = 292.0f;
    static constexpr float kHelpLineStep = 15.0f;

    explicit GUImachine(EffectEditor& editor);
    ~GUImachine() override;

    void buildGui(const std::string& fontName) override;
    void drawControls() override;
    void drawOverlay() override;
    // Where the last drawOverlay put the value text's curve and the information panel, in
    // window pixels (texts are counted by the font bank).
    const ScreenRect& overlayReach() const { return overlayArea; }

    // The control built for a layout row, or null when the row has none in the list.
    GL_BaseControl* controlNamed(const std::string& name) const;

private:
    std::unique_ptr<GL_BaseControl> createControl(const layout::Row& row, float left, float bottom);
    void addBackground(int& width, int& height);
    void readInfoPreference(GL_BaseControl& infoSwitch);
    void drawValueText(GL_BaseControl& control);
    void drawInformationPanel(const HelpRecord& help);

    EffectEditor& effectEditor;
    std::string valueFont;
    // The displays' programs, built before the controls and released before the context goes.
    std::unique_ptr<ShaderSet> shaders;
    std::unique_ptr<GL_BaseControl> curveDisplay;
    ScreenRect overlayArea;
};
