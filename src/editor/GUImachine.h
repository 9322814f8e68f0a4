#pragma once

#include "controls/VSTGL_GUIbuild.h"
#include "controls/cControlListener.h"
#include "editor/EditorCommand.h"
#include "editor/EditorLayout.h"
#include "editor/PresetMenu.h"
#include "editor/SizeMenu.h"

#include <memory>
#include <string>

class EditorModel;
class EditorScale;
class HostEdits;
class PresetBrowser;
class cListMenu;
class ShaderSet;

namespace platform
{
class PreferenceStore;
}

// The editor's control container: builds the layout's controls, draws them in two passes,
// and over them (once a frame, unclipped) the hovered control's value text and, while Info
// is on, its information panel. It is the controls' listener: parameter edits go on to the host, the Info switch
// and the size menu are handled here and remembered outside the host's projects; the preset
// menu's content is here too. Created at every editor
// opening, destroyed at every close; GUI thread only.
class GUImachine final : public VSTGL_GUIbuild, public cControlListener
{
public:
    static constexpr int kHoverTimeoutFrames = 150;
    static constexpr float kHelpWrapWidth = 292.0f;
    static constexpr float kHelpLineStep = 15.0f;

    // shaders: the displays' programs, which outlive the container.
    GUImachine(VSTGL_Editor& editor, const EditorModel& model, HostEdits& edits, PresetBrowser& presets,
               EditorScale& scale, ShaderSet& shaders);
    ~GUImachine() override;

    // Builds every control of the layout, each slot set from the model.
    void buildGui(const std::string& valueFontName);
    void drawControls() override;
    void placeControls() override;
    // The hovered control's value text (with the Shape curve) and information panel.
    void drawHover();
    // Where the last drawHover put the value text's curve and the information panel, in
    // window pixels (texts are counted by the font bank).
    const ScreenRect& overlayReach() const { return overlayArea; }

    void mouseDown(int buttons, int x, int y) override;
    void mouseMove(int buttons, int x, int y) override;
    void mouseUp(int buttons, int x, int y) override;
    // The hovered control's value text goes after a while unless Info is on.
    bool hoverTimerRunning() const;

    // A key typed while the preset menu waits for a name; false when nothing took it.
    bool typeIntoMenu(int keyCode, char typed);
    // The preset menu shows again what may have changed (an undo from the keyboard).
    void refreshMenu();
    bool presetMenuOpen() const;

    // The control built for a layout row, or null when the row has none in the list.
    GL_BaseControl* controlNamed(const std::string& name) const;

    void beginGesture(const SlotTarget& target) override;
    void valueChanged(const SlotTarget& target, float value) override;
    void endGesture(const SlotTarget& target) override;
    void setCursor(platform::PointerCursor cursor) override;

private:
    std::unique_ptr<GL_BaseControl> createControl(const layout::Row& row, float left, float bottom);
    void addBackground(int& width, int& height);
    void readInfoPreference(GL_BaseControl& infoSwitch);
    void readScopePreference(GL_BaseControl& panel);
    void commandChanged(EditorCommand command, float value);
    void drawValueText(GL_BaseControl& control);
    void drawInformationPanel(const HelpRecord& help);

    const EditorModel& model;
    HostEdits& hostEdits;
    EditorScale& editorScale;
    std::string valueFont;
    std::unique_ptr<platform::PreferenceStore> preferences;
    std::unique_ptr<platform::PreferenceStore> scopePreference;
    bool infoPanels = false;
    int hoverFrames = 0;
    ShaderSet& shaders;
    std::unique_ptr<GL_BaseControl> curveDisplay;
    SizeMenu sizeMenu;
    PresetMenu presetMenu;
    cListMenu* presetMenuControl = nullptr;
    ScreenRect overlayArea;
};
