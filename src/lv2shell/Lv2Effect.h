#pragma once

#include "effect/EffectCore.h"
#include "effect/EffectHostLink.h"
#include "params/ParameterTable.h"

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

// The effect as an LV2 host sees it: one instance, its ports and its state, turned into calls
// of the format-independent effect (Lv2PluginEntry.cpp holds the C entry points). The
// plug-in's description (ports, ranges, presets) is written at build time from the same
// records, by tools/lv2gen.
//
// Threads, as LV2 lays them down: instantiate, activate, restore and cleanup never run at
// the same time as anything else on the instance; run is the audio thread and never
// allocates, locks or does I/O; save may run beside it (the effect hands out a snapshot).
// Control ports are read once per run call: a change takes effect from that block's first
// sample. They carry values in the user's units (dB, %, Hz, a count; PlainValues.h), mapped
// to the normalised values the effect keeps.
class Lv2Effect final : private EffectHostLink
{
public:
    // Null when the engine cannot be had. Without the host's urid:map the sound is the same,
    // but there is no state to save or restore.
    static std::unique_ptr<Lv2Effect> create(double sampleRate, const LV2_Feature* const* features);
    ~Lv2Effect() override = default;
    Lv2Effect(const Lv2Effect&) = delete;
    Lv2Effect& operator=(const Lv2Effect&) = delete;

    // What the UI binary may reach through instance-access (Lv2InstanceLink).
    EngineHost* engineHost() { return core->engineHost(); }
    EditorEffect& editorSide() { return *core; }

    void connectPort(std::uint32_t port, void* data);
    // The next block starts as a fresh instance's would with the values set so far.
    void activate();
    // Audio thread: no allocation, no locks, no I/O.
    void run(std::uint32_t frames);

    // The state is exactly the bytes of the VST 2.4 program chunk, under one property; without
    // urid:map neither call can name it, and both change nothing.
    LV2_State_Status saveState(LV2_State_Store_Function store, LV2_State_Handle handle);
    // Refuses, changing nothing, anything but one whole program chunk.
    LV2_State_Status restoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

private:
    Lv2Effect(float sampleRate, const LV2_URID_Map* map);

    // EffectHostLink: there is no editor in this binary, and hosts read the latency from its
    // port.
    void latencyChanged(int samples) override { latencySamples.store(samples, std::memory_order_relaxed); }
    bool editBegun(int) override { return false; }
    void valueEdited(int, float) override {}
    bool editEnded(int) override { return false; }
    bool editorResizeRequested(int, int) override { return false; }

    void applyPortChanges();
    // Into the latency port, if connected; real-time safe, as connect_port and run call it.
    void writeLatency();

    float sampleRate;
    // 0 (no URID) when the host offers no urid:map.
    LV2_URID programKey = 0;
    LV2_URID chunkType = 0;
    std::unique_ptr<EffectCore> core;
    std::array<const float*, kNumParameters> parameterPorts{};
    // The value each parameter port held when last read: only a port the host moves is
    // applied, so ports a host leaves alone never undo a restored state.
    std::array<float, kNumParameters> lastPortValue{};
    // The values the last restored state set, normalised and as ports carry them, and whether
    // a run has read the ports since.
    std::array<float, kNumParameters> restoredValue{};
    std::array<float, kNumParameters> restoredPortValue{};
    bool restoredSinceRun = false;
    std::array<const float*, 2> audioIn{};
    std::array<float*, 2> audioOut{};
    float* latencyPort = nullptr;
    // What run writes to the latency port: the effect's own answer takes a lock, which the
    // audio thread must not.
    std::atomic<int> latencySamples{0};
};
