#pragma once

#include "effect/EffectCore.h"
#include "vst/AEffEditor.h"

// The effect's editor as the VST 2.4 dispatcher reaches it: the format's editor calls
// turned into the editor view's. The editor is made when the host first asks for its size
// or opens it; closing and idling before that make nothing.
class VstEditorAdapter final : public AEffEditor
{
public:
    explicit VstEditorAdapter(EffectCore& effect) : core(effect) {}

    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    // Keys the host passes through effEditKeyDown; a key the editor does not use goes back
    // to the host (answer 0).
    bool onKeyDown(VstKeyCode& key) override;

private:
    EffectCore& core;
    EditorView* view = nullptr;
    ERect rectangle{};
};
