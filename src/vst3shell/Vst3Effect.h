#pragma once

#include "effect/EffectCore.h"
#include "effect/EffectHostLink.h"
#include "vst3/Vst3Abi.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

// The effect as a VST3 host sees it: one object that is component, audio processor and edit
// controller at once (a single-component effect). The controller's values are the effect's
// own, so a state the component loads is the controller's at once, and the editor reaches
// the effect itself. The interface tables (Vst3EffectTables.cpp) are thin calls into this.
//
// Threads, as VST3 lays them down: the UI thread initialises, sets up, activates, loads and
// saves state, answers for parameters and makes views; the audio thread processes, and
// never allocates, locks or does I/O there. Host parameter changes apply at their sample
// offsets. The editor runs on the UI thread, where the component handler belongs, so its
// edits go straight to the handler.
class Vst3EditorView;

class Vst3Effect final : private EffectHostLink
{
public:
    // A new effect with one reference for the caller; null when memory ran out.
    static Vst3Effect* create();

    Vst3Effect(const Vst3Effect&) = delete;
    Vst3Effect& operator=(const Vst3Effect&) = delete;

    vst3::IComponent* component() { return &componentFacet.view; }
    vst3::IAudioProcessor* processor() { return &processorFacet.view; }
    vst3::IEditController* controller() { return &controllerFacet.view; }

    // The effect behind the interface pointer a call came through.
    template <typename Interface> static Vst3Effect& of(void* self)
    {
        return *static_cast<Facet<Interface>*>(self)->owner;
    }

    vst3::tresult queryInterface(const vst3::Tuid* iid, void** object);
    std::uint32_t addRef();
    std::uint32_t release();

    // Builds the engine on the first call; a host may initialise component and controller
    // alike, and the effect ends with the last terminate.
    vst3::tresult initialize(vst3::FUnknown* context);
    vst3::tresult terminate();

    vst3::tresult setActive(bool state);
    // Exactly the VST 2.4 program chunk, both ways; anything but one whole chunk is refused
    // with nothing changed.
    vst3::tresult setState(vst3::IBStream* stream);
    vst3::tresult getState(vst3::IBStream* stream);

    std::uint32_t latency() const;
    // How long the output rings on after silence falls: the frame still in the delay and the
    // one in the overlap-add.
    std::uint32_t tail() const;
    vst3::tresult setupProcessing(const vst3::ProcessSetup& setup);
    vst3::tresult process(vst3::ProcessData& data);

    // The component's state for the controller to follow: loaded when it is not the
    // effect's already.
    vst3::tresult setComponentState(vst3::IBStream* stream);
    vst3::ParamValue parameterValue(vst3::ParamId id);
    vst3::tresult setParameterValue(vst3::ParamId id, vst3::ParamValue value);
    vst3::tresult setComponentHandler(vst3::IComponentHandler* handler);
    // The factory program the program's name names (the first when none does), and a
    // host's pick of one.
    std::int32_t currentProgram();
    vst3::tresult selectProgram(std::int32_t program);
    vst3::IPlugView* createView(const char* name);
    // A view the effect made is going.
    void viewGone(Vst3EditorView& view);

    // What the editor's view works with (UI thread): the effect itself (null before
    // initialise), the host's handler for edits and restarts (null until given), and the
    // context the host initialised the effect with (its IRunLoop on Linux; null before).
    EffectCore* core() { return effectCore.get(); }
    vst3::IComponentHandler* componentHandler() { return handler; }
    vst3::FUnknown* hostContext() { return context; }

private:
    // One interface as the host holds it: its table, then the way back to the effect.
    template <typename Interface> struct Facet
    {
        Interface view;
        Vst3Effect* owner;
    };

    Vst3Effect();
    ~Vst3Effect() override;

    // EffectHostLink. The latency is announced from activation, where a host can act on it;
    // a state load announces nothing (the controller's values are the effect's own).
    bool editBegun(int index) override;
    void valueEdited(int index, float value) override;
    bool editEnded(int index) override;
    bool editorResizeRequested(int width, int height) override;

    bool loadStateFrom(vst3::IBStream* stream, EffectCore::StateLoad load);
    void requestRestart(std::int32_t flags);
    void applyParameterChanges(vst3::IParameterChanges* changes);

    std::atomic<std::uint32_t> references{1};
    Facet<vst3::IComponent> componentFacet;
    Facet<vst3::IAudioProcessor> processorFacet;
    Facet<vst3::IProcessContextRequirements> contextFacet;
    Facet<vst3::IEditController> controllerFacet;
    Facet<vst3::IUnitInfo> unitFacet;

    std::unique_ptr<EffectCore> effectCore;
    int initializations = 0;
    vst3::FUnknown* context = nullptr;
    vst3::IComponentHandler* handler = nullptr;
    // The rate of the last setup: a state load keeps the engine at it.
    float sampleRate = EffectCore::kFirstSampleRate;
    bool active = false;
    // The view showing the editor, while the host holds it.
    Vst3EditorView* liveView = nullptr;
    // The latency the host last heard of; a different one at activation is announced.
    int announcedLatency = 0;
    // Zeros for an input channel the host flags silent, a block of the size it set up for;
    // only the UI thread's setup resizes it.
    std::vector<float> silentInput;
};
