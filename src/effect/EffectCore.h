#pragma once

#include "effect/ChunkSnapshots.h"
#include "effect/EffectHostLink.h"
#include "engine/EngineHost.h"
#include "vst/EditorEffect.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

class EffectEditor;

// The effect whatever plug-in format carries it: it owns the engine (with the program
// store) and the editor, and keeps the 42 parameters, the one program and its name, the
// state chunks and the latency. The editor reaches it as its EditorEffect; what the host
// must hear goes through the EffectHostLink of the shell that owns it.
//
// Threads: setParameter, getParameter and parameterDisplay from any thread, process on the
// audio thread only (it never allocates, locks or does I/O), everything else from the
// host's control threads.
class EffectCore final : public EditorEffect
{
public:
    // Builds the engine for the host's first rate, then the editor; either may be missing
    // afterwards when memory ran out (or the editor's skin could not be had).
    EffectCore(EffectHostLink& hostLink, float sampleRate);
    ~EffectCore() override;

    EffectCore(const EffectCore&) = delete;
    EffectCore& operator=(const EffectCore&) = delete;

    bool hasEngine() const { return engine != nullptr; }
    EngineHost* engineHost() { return engine.get(); }
    EffectEditor* editor() { return effectEditor.get(); }

    // The engine's latency in samples; a frame of 2048 when there is no engine.
    int latency() const;

    // The host switched processing on at this rate: a new rate is given to the engine
    // through the program, the latency reported again and the signal history cleared.
    void resume(float sampleRate);
    // Audio thread: both channels of each side, in place allowed.
    void process(float** inputs, float** outputs, int sampleFrames);

    // A host's or the editor's value: stored, posted to the engine and shown in the editor.
    // A value that is not finite is ignored.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    // The editor's edits: set, and told to the host.
    void setParameterAutomated(VstInt32 index, float value) override;
    bool beginEdit(VstInt32 index) override;
    bool endEdit(VstInt32 index) override;
    bool requestEditorSize(int width, int height) override;
    // The host's text for the parameter's value; empty without an engine or outside the table.
    void parameterDisplay(int index, char* text, std::size_t capacity);

    // Loads program 0 into the engine at the host's rate: every value set again, the rate
    // changed where it differs, the equaliser rebuilt. False, doing nothing, for any other
    // program or without an engine.
    bool setProgram(int program, float sampleRate);
    void setProgramName(const char* name);
    // False without an engine.
    bool programName(char* text, std::size_t capacity);

    // A snapshot of the program (isPreset) or the whole bank that stays as it is until the
    // same thread asks again; answers its size, 0 (data untouched) without an engine or memory.
    std::int32_t saveChunk(void** data, bool isPreset);
    // Takes an accepted chunk form and loads the program; false, with nothing changed, for
    // any other size or without an engine.
    bool restoreChunk(const void* data, std::int32_t byteSize, bool isPreset, float sampleRate);

private:
    void createEditor();

    EffectHostLink& link;
    std::unique_ptr<EngineHost> engine;
    std::unique_ptr<EffectEditor> effectEditor;
    // The program name and chunk loads: written and read by host threads only.
    std::mutex nameMutex;
    ChunkSnapshots chunkSnapshots;
};
