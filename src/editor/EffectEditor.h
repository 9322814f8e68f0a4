#pragma once

#include "controls/cControlListener.h"
#include "editor/ParameterInbox.h"
#include "glgui/VSTGL_Editor.h"
#include "params/ParameterTable.h"
#include "platform/PreferenceStore.h"

#include <bitset>
#include <memory>

class EditorEffect;
class EngineHost;
class GUImachine;

// The plug-in's editor: a 512 x 624 OpenGL scene of the skin's controls, lit and shadowed,
// with value texts and information panels. It is the controls' listener and the one place
// that talks to the host: a mouse gesture becomes begin-edit, automations, end-edit.
//
// Threads: everything runs on the host's GUI thread except parameterChanged, which may come
// from any thread (the audio thread included) and only posts to a lock-free inbox that the
// GUI thread drains before each frame.
class EffectEditor : public VSTGL_Editor, public cControlListener
{
public:
    static constexpr VstInt16 kWidth = 512;
    static constexpr VstInt16 kHeight = 624;
    static constexpr int kVersionLineFrames = 120;
    static constexpr float kFrameCounterCap = 100000.0f;

    // engine may be null (the effect came up without one): the editor then draws nothing.
    EffectEditor(AudioEffect* owner, EditorEffect& effect, EngineHost* engine,
                 std::string skinFolder = SkinFiles::moduleSkinFolder());
    ~EffectEditor() override;

    void idle() override;
    void parameterChanged(VstInt32 index, float value) override;

    void valueChanged(const SlotTarget& target, float value, GL_BaseControl* control) override;
    float readParameter(int index) override;
    void automateParameter(int index, float value) override;
    void writeParameter(int index, float value) override;

    // What the container reads.
    float displayValue(int index);
    bool infoPanels() const { return infoFlag; }
    void setInfoPanels(bool on) { infoFlag = on; }
    int& hoverFrames() { return pointerState; }
    GUImachine* container() { return gui.get(); }
    // The Info preference, one store per opening (so a failing store warns once per opening).
    platform::PreferenceStore& preferenceStore() { return *preferences; }
    EngineHost* engine() { return engineHost; }
    float frames() const { return frameCounter; }

protected:
    void openGui() override;
    void closeGui() override;
    void draw() override;
    bool frameWanted() override;
    // Marks the parts of the picture the frame must draw again.
    void prepareFrame() override;
    void mouseDown(int buttons, int x, int y) override;
    void mouseMove(int buttons, int x, int y) override;
    void mouseUp(int buttons, int x, int y) override;
    void mouseLeave() override;

private:
    void registerResources();
    void setUpLights();
    void buildScene();
    bool drainInbox();
    void finishGestures();
    void drawVersionLine();
    bool cameraSettled() const;

    EditorEffect& effect;
    EngineHost* engineHost;
    std::unique_ptr<GUImachine> gui;
    std::unique_ptr<platform::PreferenceStore> preferences;
    ParameterInbox inbox;
    Camera targetCamera{};
    bool infoFlag = false;
    float frameCounter = 0.0f;
    // Host gestures opened by the press in progress, closed at its release.
    std::bitset<kNumParameters> gesturesOpen;
    bool pointerHeld = false;
    bool redrawWanted = true;
    // Where the last frame's hover texts, panels and version line lie, in window pixels.
    ScreenRect overlayArea;
};
