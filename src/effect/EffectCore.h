#pragma once

#include "effect/ChunkSnapshots.h"
#include "effect/EffectHostLink.h"
#include "effect/HostStateStream.h"
#include "effect/StateChunks.h"
#include "engine/EngineHost.h"
#include "view/EditorEffect.h"
#include "view/EditorView.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

// Makes the editor of an effect; null when it cannot be had. The shells pass the editor
// layer's, so the effect neither links nor knows the editor before a host opens it.
using EditorFactory = std::unique_ptr<EditorView> (*)(EditorEffect& effect, EngineHost* engine);

// The effect whatever plug-in format carries it: it owns the engine (with the program
// store) and, once a host asks for it, the editor, and keeps the 42 parameters, the one
// program and its name, the state chunks and the latency. The editor reaches it as its
// EditorEffect; what the host must hear goes through the EffectHostLink of the shell that
// owns it.
//
// Threads: setParameter, getParameter and parameterDisplay from any thread, process on the
// audio thread only (it never allocates, locks or does I/O), everything else from the
// host's control threads; the editor calls from the host's GUI thread.
class EffectCore final : public EditorEffect
{
public:
    // The rate to build the engine at for a host that names its own only later (CLAP at
    // activation, VST3 at setup).
    static constexpr float kFirstSampleRate = 44100.0f;

    // Builds the engine for the host's first rate; it may be missing afterwards when memory
    // ran out. Creating the effect makes no window and reads no skin file.
    EffectCore(EffectHostLink& hostLink, float sampleRate, EditorFactory makeEditor);
    ~EffectCore() override;

    EffectCore(const EffectCore&) = delete;
    EffectCore& operator=(const EffectCore&) = delete;

    bool hasEngine() const { return engine != nullptr; }
    EngineHost* engineHost() { return engine.get(); }

    // Whether there is an editor to offer a host (it is made when first asked for).
    bool offersEditor() const { return engine != nullptr && editorFactory != nullptr; }
    // The editor, made on the first call; null when it cannot be had.
    EditorView* editor();
    // The host's factor for the editor's size, kept for an editor not made yet.
    void setEditorHostScale(float factor);

    // The engine's latency in samples; that of a 2048-sample frame when there is no engine.
    int latency() const;

    // The host switched processing on at this rate: a new rate is given to the engine
    // through the program, the latency reported again and the signal history cleared.
    void resume(float sampleRate);
    // As resume, and the next block starts as a fresh instance's would with the values set
    // so far: nothing of earlier processing, nothing gliding in from earlier values.
    void restartClean(float sampleRate);
    // Audio thread: both channels of each side, in place allowed.
    void process(float** inputs, float** outputs, int sampleFrames);

    // A host's or the editor's value: stored, posted to the engine and shown in the editor.
    // A value that is not finite is ignored.
    void setParameter(int index, float value) override;
    float getParameter(int index) override;
    // The editor's edits: set, and told to the host.
    void setParameterAutomated(int index, float value) override;
    bool beginEdit(int index) override;
    bool endEdit(int index) override;
    bool requestEditorSize(int width, int height) override;
    std::string programName() override;
    void renameProgram(const std::string& name) override { setProgramName(name.c_str()); }
    // The value as a host that was told the parameter's range may read it: within that range
    // whatever a chunk stored (the engine bounds what it uses alike), the default for a value
    // that is not a number.
    float hostValue(int index);
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

    // The state CLAP, VST3 and LV2 hosts keep: exactly the program chunk, so a setting moves
    // between all four formats (the older and bank forms are VST 2.4's chunks alone). It
    // carries no sample rate: a load keeps the engine at the rate the shell gives, the host's
    // present one. Anything else is refused with nothing changed.
    static constexpr std::size_t kStateSize = kProgramChunkSize;
    enum class StateLoad
    {
        Always,
        // A state equal to the effect's own is taken without loading it again.
        OnlyWhenChanged,
    };
    // The state as saveChunk's snapshot of the program; null without an engine or memory.
    const void* stateToSave();
    bool saveState(const StateWriter& writer);
    bool loadState(const void* bytes, std::size_t size, float sampleRate, StateLoad load = StateLoad::Always);
    // Reads the stream whole before anything is taken, so one that breaks off changes nothing.
    bool loadState(const StateReader& reader, float sampleRate, StateLoad load = StateLoad::Always);

private:
    EffectHostLink& link;
    std::unique_ptr<EngineHost> engine;
    EditorFactory editorFactory;
    std::unique_ptr<EditorView> editorView;
    // The editor as any thread's parameter changes reach it: set once it is made.
    std::atomic<EditorView*> shownEditor{nullptr};
    float editorHostScale = 0.0f;
    // The program name and chunk loads: written and read by host threads only.
    std::mutex nameMutex;
    ChunkSnapshots chunkSnapshots;
};
