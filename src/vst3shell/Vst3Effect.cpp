#include "vst3shell/Vst3Effect.h"

#include "effect/SampleAccurateChanges.h"
#include "params/ParameterTable.h"
#include "presets/FactoryPresets.h"
#include "vst3shell/Vst3BundleSkin.h"
#include "vst3shell/Vst3EditorView.h"
#include "vst3shell/Vst3EffectTables.h"
#include "vst3shell/Vst3Parameters.h"
#include "vst3shell/Vst3Programs.h"
#include "vst3shell/Vst3StateStream.h"
#include "vst3shell/Vst3TimedChanges.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <span>

namespace
{

constexpr std::int32_t kStereo = 2;
constexpr std::uint64_t kBothChannelsSilent = 0b11;

// The bus's two channels of 32-bit samples, or null when the host gave no such bus.
float* const* stereoChannels(const vst3::AudioBusBuffers* buses, std::int32_t count)
{
    if (buses == nullptr || count < 1 || buses[0].numChannels != kStereo || buses[0].channelBuffers32 == nullptr)
        return nullptr;
    float* const* channels = buses[0].channelBuffers32;
    return channels[0] != nullptr && channels[1] != nullptr ? channels : nullptr;
}

// The bus's silence flags: a bit for each channel that holds nothing but zeros.
std::uint64_t silentChannels(float* const* channels, std::int32_t frames)
{
    std::uint64_t flags = 0;
    for (std::int32_t channel = 0; channel < kStereo; ++channel)
    {
        const float* samples = channels[channel];
        if (std::all_of(samples, samples + frames, [](float sample) { return sample == 0.0f; }))
            flags |= std::uint64_t{1} << channel;
    }
    return flags;
}

}  // namespace

Vst3Effect* Vst3Effect::create()
{
    return new (std::nothrow) Vst3Effect();
}

Vst3Effect::Vst3Effect()
    : componentFacet{{&kVst3ComponentTable}, this}, processorFacet{{&kVst3ProcessorTable}, this},
      contextFacet{{&kVst3ContextRequirementsTable}, this},
      controllerFacet{{&kVst3ControllerTable}, this}, unitFacet{{&kVst3UnitInfoTable}, this}
{
}

// The editor goes before the effect it shows (the core sees to that).
Vst3Effect::~Vst3Effect()
{
    effectCore.reset();
    if (handler != nullptr)
        vst3::release(handler);
    if (context != nullptr)
        vst3::release(context);
}

vst3::tresult Vst3Effect::queryInterface(const vst3::Tuid* iid, void** object)
{
    if (object == nullptr)
        return vst3::kInvalidArgument;
    *object = nullptr;
    if (iid == nullptr)
        return vst3::kInvalidArgument;
    if (*iid == vst3::kFUnknownIid || *iid == vst3::kIPluginBaseIid || *iid == vst3::kIComponentIid)
        *object = component();
    else if (*iid == vst3::kIAudioProcessorIid)
        *object = processor();
    else if (*iid == vst3::kIProcessContextRequirementsIid)
        *object = &contextFacet.view;
    else if (*iid == vst3::kIEditControllerIid)
        *object = controller();
    else if (*iid == vst3::kIUnitInfoIid)
        *object = &unitFacet.view;
    else
        return vst3::kNoInterface;
    addRef();
    return vst3::kResultOk;
}

std::uint32_t Vst3Effect::addRef()
{
    return references.fetch_add(1, std::memory_order_relaxed) + 1;
}

std::uint32_t Vst3Effect::release()
{
    const std::uint32_t left = references.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        delete this;
    return left;
}

vst3::tresult Vst3Effect::initialize(vst3::FUnknown* hostContext)
{
    if (initializations > 0)
    {
        ++initializations;
        return vst3::kResultOk;
    }
    EffectHostLink& link = *this;
    auto made = std::make_unique<EffectCore>(link, EffectCore::kFirstSampleRate, makeBundleEditor);
    if (!made->hasEngine())
        return vst3::kOutOfMemory;
    made->setProgram(0, EffectCore::kFirstSampleRate);
    effectCore = std::move(made);
    announcedLatency = effectCore->latency();
    if (hostContext != nullptr)
    {
        vst3::addRef(hostContext);
        context = hostContext;
    }
    initializations = 1;
    return vst3::kResultOk;
}

vst3::tresult Vst3Effect::terminate()
{
    if (initializations == 0)
        return vst3::kResultFalse;
    if (--initializations > 0)
        return vst3::kResultOk;
    active = false;
    // A view the host still holds shows nothing from now on.
    if (liveView != nullptr)
        liveView->detachFromEffect();
    liveView = nullptr;
    effectCore.reset();
    setComponentHandler(nullptr);
    if (context != nullptr)
        vst3::release(context);
    context = nullptr;
    return vst3::kResultOk;
}

vst3::tresult Vst3Effect::setActive(bool state)
{
    if (!effectCore)
        return vst3::kNotInitialized;
    if (!state)
    {
        active = false;
        return vst3::kResultOk;
    }
    effectCore->restartClean(sampleRate);
    active = true;
    // Last, as the host may deactivate and activate again from within the request.
    if (effectCore->latency() != announcedLatency)
    {
        announcedLatency = effectCore->latency();
        requestRestart(vst3::kLatencyChanged);
    }
    return vst3::kResultOk;
}

vst3::tresult Vst3Effect::setState(vst3::IBStream* stream)
{
    if (!effectCore)
        return vst3::kNotInitialized;
    // Nothing is asked of the host from here: hosts load state holding their own locks (Ardour
    // waits for good on a restart), and they hand the controller the same state next, whose
    // values are the effect's already.
    return loadStateFrom(stream, EffectCore::StateLoad::Always) ? vst3::kResultOk : vst3::kResultFalse;
}

vst3::tresult Vst3Effect::getState(vst3::IBStream* stream)
{
    if (!effectCore)
        return vst3::kNotInitialized;
    return stream != nullptr && effectCore->saveState(stateWriterOf(*stream)) ? vst3::kResultOk : vst3::kResultFalse;
}

bool Vst3Effect::loadStateFrom(vst3::IBStream* stream, EffectCore::StateLoad load)
{
    return stream != nullptr && effectCore->loadState(stateReaderOf(*stream), sampleRate, load);
}

std::uint32_t Vst3Effect::latency() const
{
    return effectCore ? static_cast<std::uint32_t>(effectCore->latency()) : 0;
}

std::uint32_t Vst3Effect::tail() const
{
    return 2 * latency();
}

// The engine takes the rate now, so the latency a host asks for after setup is the one it
// will have.
vst3::tresult Vst3Effect::setupProcessing(const vst3::ProcessSetup& setup)
{
    if (!effectCore)
        return vst3::kNotInitialized;
    if (active || setup.symbolicSampleSize != vst3::kSample32 || !std::isfinite(setup.sampleRate) ||
        setup.sampleRate <= 0.0)
        return vst3::kResultFalse;
    sampleRate = static_cast<float>(setup.sampleRate);
    effectCore->restartClean(sampleRate);
    silentInput.assign(static_cast<std::size_t>(std::max(setup.maxSamplesPerBlock, 0)), 0.0f);
    return vst3::kResultOk;
}

// Audio thread: no allocation, no locks, no I/O.
vst3::tresult Vst3Effect::process(vst3::ProcessData& data)
{
    if (!effectCore)
        return vst3::kNotInitialized;
    if (data.symbolicSampleSize != vst3::kSample32)
        return vst3::kInvalidArgument;
    // Only parameters to take (a flush), or no audio to take them with.
    if (data.numSamples <= 0 || data.numOutputs == 0)
    {
        applyParameterChanges(data.inputParameterChanges);
        return vst3::kResultOk;
    }
    float* const* in = stereoChannels(data.inputs, data.numInputs);
    float* const* out = stereoChannels(data.outputs, data.numOutputs);
    if (in == nullptr || out == nullptr)
    {
        applyParameterChanges(data.inputParameterChanges);
        if (out != nullptr)
        {
            std::memset(out[0], 0, sizeof(float) * static_cast<std::size_t>(data.numSamples));
            std::memset(out[1], 0, sizeof(float) * static_cast<std::size_t>(data.numSamples));
            data.outputs[0].silenceFlags = kBothChannelsSilent;
        }
        return vst3::kResultFalse;
    }
    // A channel the host flags silent is zeros, whatever its buffer holds (hosts need not
    // clear it). A block longer than the host promised keeps the host's buffer.
    float* source[kStereo] = {in[0], in[1]};
    if (static_cast<std::size_t>(data.numSamples) <= silentInput.size())
    {
        for (std::int32_t channel = 0; channel < kStereo; ++channel)
        {
            if ((data.inputs[0].silenceFlags >> channel) & 1u)
                source[channel] = silentInput.data();
        }
    }
    Vst3TimedChanges changes(data.inputParameterChanges);
    processWithChanges(*effectCore, source, out, static_cast<std::uint32_t>(data.numSamples), changes.count(),
                       [&changes](std::uint32_t) { return changes.next(); });
    // Silent input is not silent output: the delay and the overlap-add ring on for the tail.
    data.outputs[0].silenceFlags = silentChannels(out, data.numSamples);
    return vst3::kResultOk;
}

void Vst3Effect::applyParameterChanges(vst3::IParameterChanges* changes)
{
    Vst3TimedChanges timed(changes);
    for (std::uint32_t i = 0; i < timed.count(); ++i)
    {
        if (const std::optional<TimedParameterChange> change = timed.next())
            effectCore->setParameter(change->index, change->value);
    }
}

vst3::tresult Vst3Effect::setComponentState(vst3::IBStream* stream)
{
    if (!effectCore)
        return vst3::kNotInitialized;
    return loadStateFrom(stream, EffectCore::StateLoad::OnlyWhenChanged) ? vst3::kResultOk : vst3::kResultFalse;
}

vst3::ParamValue Vst3Effect::parameterValue(vst3::ParamId id)
{
    if (effectCore && id == kProgramChangeParameterId)
        return programValue(currentProgram());
    if (!effectCore || !isVst3Parameter(id))
        return 0.0;
    return effectCore->hostValue(static_cast<int>(id));
}

// The controller's values are the effect's own, so a value set here is the effect's at once,
// processing or not: a host may set it and save the state before any process call carries
// it (Ardour's scripting does), and the saved state must hold it. Hosts tell the controller
// what they already sent through process, so sample-accurate changes keep their samples.
vst3::tresult Vst3Effect::setParameterValue(vst3::ParamId id, vst3::ParamValue value)
{
    if (!effectCore)
        return vst3::kNotInitialized;
    if (id == kProgramChangeParameterId)
        return selectProgram(programAt(value));
    if (!isVst3Parameter(id))
        return vst3::kInvalidArgument;
    effectCore->setParameter(static_cast<int>(id), static_cast<float>(vst3BoundedValue(value)));
    return vst3::kResultOk;
}

std::int32_t Vst3Effect::currentProgram()
{
    char name[kProgramNameSize] = {};
    if (!effectCore || !effectCore->programName(name, sizeof(name)))
        return 0;
    const std::span<const FactoryPresetDefinition> presets = factoryPresets();
    for (std::size_t program = 0; program < presets.size(); ++program)
    {
        if (std::strcmp(name, presets[program].name) == 0)
            return static_cast<std::int32_t>(program);
    }
    return 0;
}

// The host set the program it already shows (a project reloading its values, say): the
// setting, edited since or not, stays. Another one loads as the editor's preset menu loads
// it, and each value reaches the host as an edit of its own, which it passes on to
// processing. Nothing here waits for the host to restart anything.
vst3::tresult Vst3Effect::selectProgram(std::int32_t program)
{
    if (program < 0 || program >= factoryProgramCount())
        return vst3::kInvalidArgument;
    if (program == currentProgram())
        return vst3::kResultOk;
    const ProgramChunk chunk = factoryChunk(factoryPresets()[static_cast<std::size_t>(program)]);
    if (!effectCore->loadState(chunk.data(), chunk.size(), sampleRate))
        return vst3::kResultFalse;
    if (handler == nullptr)
        return vst3::kResultOk;
    for (int index = 0; index < kNumParameters; ++index)
    {
        if (kParameterTable[index].hidden())
            continue;
        const auto id = static_cast<vst3::ParamId>(index);
        handler->vtable->beginEdit(handler, id);
        handler->vtable->performEdit(handler, id, effectCore->hostValue(index));
        handler->vtable->endEdit(handler, id);
    }
    return vst3::kResultOk;
}

vst3::tresult Vst3Effect::setComponentHandler(vst3::IComponentHandler* newHandler)
{
    if (newHandler == handler)
        return vst3::kResultOk;
    if (newHandler != nullptr)
        vst3::addRef(newHandler);
    if (handler != nullptr)
        vst3::release(handler);
    handler = newHandler;
    return vst3::kResultOk;
}

vst3::IPlugView* Vst3Effect::createView(const char* name)
{
    if (!effectCore || name == nullptr || std::strcmp(name, vst3::kViewTypeEditor) != 0)
        return nullptr;
    // One view shows the editor at a time: a newer one takes it over.
    if (liveView != nullptr)
        liveView->detachFromEffect();
    liveView = Vst3EditorView::create(*this);
    return liveView != nullptr ? liveView->plugView() : nullptr;
}

void Vst3Effect::viewGone(Vst3EditorView& view)
{
    if (liveView == &view)
        liveView = nullptr;
}

void Vst3Effect::requestRestart(std::int32_t flags)
{
    if (handler != nullptr)
        handler->vtable->restartComponent(handler, flags);
}

bool Vst3Effect::editBegun(int index)
{
    return handler != nullptr &&
           handler->vtable->beginEdit(handler, static_cast<vst3::ParamId>(index)) == vst3::kResultOk;
}

void Vst3Effect::valueEdited(int index, float value)
{
    if (handler != nullptr)
        handler->vtable->performEdit(handler, static_cast<vst3::ParamId>(index), value);
}

bool Vst3Effect::editEnded(int index)
{
    return handler != nullptr &&
           handler->vtable->endEdit(handler, static_cast<vst3::ParamId>(index)) == vst3::kResultOk;
}

// No view yet whose frame could be asked for another size.
bool Vst3Effect::editorResizeRequested(int width, int height)
{
    return liveView != nullptr && liveView->requestSize(width, height);
}
