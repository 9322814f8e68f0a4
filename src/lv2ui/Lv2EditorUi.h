#pragma once

#include "lv2ui/Lv2InstanceFeed.h"
#include "lv2ui/Lv2UiHostFeatures.h"
#include "params/ParameterTable.h"
#include "view/EditorEffect.h"
#include "view/EditorView.h"

#include <lv2/ui/ui.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// The effect's editor as an LV2 X11 UI: opened in the host's window when the host makes the
// UI, driven by the host's idle calls (no thread of its own). The editor sees the effect
// through this: the values the host last sent to the UI (port events) and the edits written
// back to the ports, with ui:touch around each gesture. The live displays read the DSP
// instance where the host offers instance-access to one of this build; without it they stay
// quiet.
//
// Threads: the host's UI thread only.
class Lv2EditorUi final : public EditorEffect
{
public:
    // Null without a parent window, or when the editor cannot open in it.
    static std::unique_ptr<Lv2EditorUi> create(const std::string& bundlePath, LV2UI_Write_Function write,
                                               LV2UI_Controller controller, const LV2_Feature* const* features);
    ~Lv2EditorUi() override;
    Lv2EditorUi(const Lv2EditorUi&) = delete;
    Lv2EditorUi& operator=(const Lv2EditorUi&) = delete;

    // The editor's own X11 window, what the host embeds.
    void* widget() const { return editor->nativeWindow(); }
    // A control port's new value (ports other than the parameters are not the editor's).
    void portEvent(std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format, const void* buffer);
    // ui:idleInterface: events and a frame when one is due; non-zero once the window is gone.
    int idle();

    // EditorEffect.
    float getParameter(int index) override;
    void setParameter(int index, float value) override;
    void setParameterAutomated(int index, float value) override;
    bool beginEdit(int index) override;
    bool endEdit(int index) override;
    std::string programName() override;
    void renameProgram(const std::string& name) override;
    bool requestEditorSize(int width, int height) override;

private:
    Lv2EditorUi(LV2UI_Write_Function write, LV2UI_Controller controller, const Lv2UiHostFeatures& features);
    bool open(const std::string& bundlePath);
    void writePort(int index, float value);
    void touch(int index, bool grabbed);

    LV2UI_Write_Function writeFunction;
    LV2UI_Controller controller;
    Lv2UiHostFeatures host;
    std::array<float, kNumParameters> values{};
    // Null where the host keeps the DSP instance out of reach, or it is another build's.
    std::unique_ptr<Lv2InstanceFeed> instance;
    // The program's name where there is no instance to keep it.
    std::string localProgramName;
    std::unique_ptr<EditorView> editor;
};
