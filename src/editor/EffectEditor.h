#pragma once

#include "controls/VSTGL_GUIbuild.h"
#include "editor/EditorModel.h"
#include "editor/EditorScale.h"
#include "editor/HostEdits.h"
#include "editor/ParameterInbox.h"
#include "editor/PresetBrowser.h"
#include "glgui/VSTGL_Editor.h"
#include "view/EditorView.h"

#include <memory>
#include <vector>

class EditorEffect;
class EngineDisplays;
class EngineHost;
class GUImachine;
class ShaderSet;

// The plug-in's editor: a 512 x 624 OpenGL scene of the skin's controls, lit and shadowed,
// with value texts and information panels. It keeps the editor's model (fed by the host's
// changes and read once from the effect when it opens), lights and films the scene, and
// paces its frames; its container builds and runs the controls.
//
// Threads: everything runs on the host's GUI thread except parameterChanged, which may come
// from any thread (the audio thread included) and only posts to a lock-free inbox that the
// GUI thread drains before each frame.
class EffectEditor final : public VSTGL_Editor, public EditorView
{
public:
    static constexpr int kWidth = 512;
    static constexpr int kHeight = 624;
    static constexpr int kVersionLineFrames = 120;
    static constexpr float kFrameCounterCap = 100000.0f;

    // engine, the engine's live displays, may be null (a host that keeps the effect out of
    // the editor's reach): the controls work and the live displays stay quiet.
    // Reads no file and makes no window until it is first opened.
    EffectEditor(EditorEffect& effect, EngineDisplays* engine, std::string skinFolder = SkinFiles::moduleSkinFolder());
    ~EffectEditor() override;

    // EditorView: what every format's shell calls.
    Size size() override;
    // Loads the skin at the first opening; false when memory ran out for it.
    bool open(void* parentWindow) override;
    void close() override { VSTGL_Editor::close(); }
    bool isOpen() const override { return VSTGL_Editor::isOpen(); }
    void* nativeWindow() const override { return VSTGL_Editor::nativeWindow(); }
    void idle() override;
    int eventDescriptor() const override { return VSTGL_Editor::eventDescriptor(); }
    // The host's factor for the editor's size (VST hosts announce it through
    // effVendorSpecific, CLAP hosts through their GUI extension), before or after opening.
    void setHostScale(float factor) override;
    void parameterChanged(int index, float value) override;
    bool keyPressed(int keyCode, int modifiers, char typed) override;

    // The container of the open editor, or null.
    GUImachine* container() { return gui.get(); }

    // The effect's editor as every format's shell takes it (an EditorFactory).
    static std::unique_ptr<EditorView> make(EditorEffect& effect, EngineHost* engine);

protected:
    void openGui() override;
    void closeGui() override;
    void draw() override;
    void drawSole(int control) override;
    void drawOverlays() override;
    bool frameWanted() override;
    // Marks the parts of the picture the frame must draw again.
    void prepareFrame() override;
    // The camera eases towards its place; the controls' time moves on.
    void frameBegins() override;
    // Unseen, the host's changes still reach the model and the meters keep falling, so the
    // editor shows the present at once when it is seen again.
    void frameUnseen() override;
    void mouseDown(int buttons, int x, int y) override;
    void mouseMove(int buttons, int x, int y) override;
    void mouseUp(int buttons, int x, int y) override;
    void mouseLeave() override;
    // A preset's name typed into its menu, and undo and redo from the keyboard, where the host
    // passes keys to the editor.
    void keyDown(const KeyRecord& key) override;
    void desktopScaleChanged() override;

private:
    void registerResources();
    void setUpLights();
    void buildScene();
    bool drainInbox();
    void drawVersionLine();
    bool cameraSettled() const;
    // Open: asks the host for the chosen size, and reopens at it when the host agrees.
    void followChosenScale();
    // Typing into the preset menu, then undo and redo; true when the key was used.
    bool takeKey(const KeyRecord& key);

    EditorEffect& effect;
    EngineDisplays* engineDisplays;
    EditorModel model;
    EditorScale editorScale;
    // A size the host would not give the open editor; not asked for again this opening.
    float refusedScale = 0.0f;
    HostEdits edits{effect, model};
    PresetBrowser presets{effect, edits, PresetLibrary()};
    // The displays' programs: made at an opening, before the controls; kept, and shared with
    // the process's other editors, where the context is (glObjectsKept), else released at
    // every close.
    std::shared_ptr<ShaderSet> shaders;
    std::unique_ptr<GUImachine> gui;
    // The parts of the next frame single controls draw alone (kept to spare allocations).
    std::vector<VSTGL_GUIbuild::SolePart> soleDamage;
    ParameterInbox inbox;
    Camera targetCamera{};
    float frameCounter = 0.0f;
    // Whether the last frame drew the version line: its time may run out between two frames.
    bool versionLineDrawn = false;
    bool redrawWanted = true;
    // Where the last frame's hover texts, panels and version line lie, in window pixels.
    ScreenRect overlayArea;
};
