#pragma once

#include "clap/ClapAbi.h"
#include "clapshell/ClapEditorEmbedding.h"
#include "clapshell/ClapHostServices.h"
#include "effect/EditorEditQueue.h"
#include "effect/EffectCore.h"
#include "effect/EffectHostLink.h"

#include <atomic>
#include <cstdint>
#include <memory>

// The effect as a CLAP host sees it: one plug-in instance behind a clap::Plugin record, its
// lifecycle, the sample-accurate process call and what its extensions answer, turned into
// calls of the format-independent effect (ClapPluginGlue.cpp holds the C entry points).
//
// Threads, as CLAP lays them down: the main thread creates, initialises, activates, loads
// and saves state and runs the editor; the audio thread processes. Neither ever waits for
// the other; the audio thread never allocates, locks or does I/O. Host parameter events are
// applied at their sample offsets: the block is processed in pieces between them. The
// editor's edits travel to the host as gesture and value events through a lock-free queue,
// sent from the next process call, or from a flush the host is asked for.
class ClapEffect final : private EffectHostLink
{
public:
    // `calls` is the plug-in record with its entry points filled in; ours points back here.
    ClapEffect(const clap::Host* host, const clap::Plugin& calls);
    ~ClapEffect() override;
    ClapEffect(const ClapEffect&) = delete;
    ClapEffect& operator=(const ClapEffect&) = delete;

    const clap::Plugin* plugin() const { return &record; }
    static ClapEffect& of(const clap::Plugin* plugin) { return *static_cast<ClapEffect*>(plugin->pluginData); }

    // Builds the engine; false when it could not be had. The editor is made when first shown.
    bool init();
    bool activate(double rate);
    void deactivate() { active = false; }
    bool startProcessing();
    void stopProcessing();
    // Audio thread: the next block starts as a fresh instance's would.
    void reset();
    clap::ProcessStatus process(const clap::Process& block);

    std::uint32_t latency() const;
    // How long the output rings on after silence falls: the frame still in the delay and the
    // one in the overlap-add.
    std::uint32_t tail() const;

    bool parameterInfo(std::uint32_t index, clap::ParamInfo& info) const;
    bool parameterValue(clap::Id id, double& value);
    bool valueToText(clap::Id id, double value, char* text, std::uint32_t capacity) const;
    bool textToValue(clap::Id id, const char* text, double& value) const;
    void flush(const clap::InputEvents* in, const clap::OutputEvents* out);

    // Exactly the bytes of the VST 2.4 program chunk.
    bool saveState(const clap::OutputStream& stream);
    // Refuses, changing nothing, any stream that is not one whole program chunk.
    bool loadState(const clap::InputStream& stream);
    // A preset the host's preset discovery listed: a factory preset by its load key, or a
    // program file. The host hears of the new values as after a state load, and of the
    // preset it got (or why it got none); a preset that cannot be had changes nothing.
    bool loadPreset(std::uint32_t locationKind, const char* location, const char* loadKey);

    ClapEditorEmbedding* gui() { return embedding.get(); }

private:
    // EffectHostLink: what the effect tells a CLAP host. The latency is announced from
    // activate, the one moment CLAP allows it; a state load asks for a rescan itself.
    bool editBegun(int index) override;
    void valueEdited(int index, float value) override;
    bool editEnded(int index) override;
    bool editorResizeRequested(int width, int height) override;

    bool queueEdit(const EditorEditQueue::Edit& edit);
    void applyEvents(const clap::InputEvents* events);
    void sendEdits(const clap::OutputEvents* out);

    clap::Plugin record;
    ClapHostServices host;
    std::unique_ptr<EffectCore> core;
    std::unique_ptr<ClapEditorEmbedding> embedding;
    EditorEditQueue edits;
    // The rate of the last activation: a state load keeps the engine at it.
    float sampleRate = EffectCore::kFirstSampleRate;
    bool active = false;
    std::atomic<bool> processing{false};
    // The latency the host last heard of; a different one after activation is announced.
    int announcedLatency = 0;
};
