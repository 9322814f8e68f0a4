#include "clapshell/ClapEffect.h"

#include "clapshell/ClapPresetSource.h"
#include "clapshell/ClapStateStream.h"
#include "editor/EffectEditor.h"
#include "effect/BoundedCopy.h"
#include "effect/SampleAccurateChanges.h"
#include "params/ParameterTable.h"
#include "params/ValueText.h"

#include <optional>
#include <string>

namespace
{

constexpr clap::Id kInputPort = 0;

bool isParameterId(clap::Id id)
{
    return id < static_cast<clap::Id>(kNumParameters);
}

clap::EventHeader outgoingHeader(std::uint32_t size, std::uint16_t type)
{
    return clap::EventHeader{size, 0, clap::kCoreEventSpaceId, type, 0};
}

// A host's event as a parameter change, when it is one of ours.
std::optional<TimedParameterChange> parameterChange(const clap::EventHeader* event)
{
    if (event == nullptr || event->spaceId != clap::kCoreEventSpaceId || event->type != clap::kEventParamValue ||
        event->size < sizeof(clap::EventParamValue))
        return std::nullopt;
    const auto& change = reinterpret_cast<const clap::EventParamValue&>(*event);
    if (!isParameterId(change.paramId))
        return std::nullopt;
    return TimedParameterChange{event->time, static_cast<int>(change.paramId), static_cast<float>(change.value)};
}

}  // namespace

ClapEffect::ClapEffect(const clap::Host* clapHost, const clap::Plugin& calls) : record(calls), host(clapHost)
{
    record.pluginData = this;
}

// The editor goes before the effect it shows.
ClapEffect::~ClapEffect()
{
    embedding.reset();
    core.reset();
}

bool ClapEffect::init()
{
    host.fetchExtensions();
    EffectHostLink& link = *this;
    core = std::make_unique<EffectCore>(link, EffectCore::kFirstSampleRate, EffectEditor::make);
    if (!core->hasEngine())
        return false;
    core->setProgram(0, EffectCore::kFirstSampleRate);
    announcedLatency = core->latency();
    embedding = std::make_unique<ClapEditorEmbedding>(*core, host);
    return true;
}

bool ClapEffect::activate(double rate)
{
    if (!core || !(rate > 0.0) || active)
        return false;
    sampleRate = static_cast<float>(rate);
    core->restartClean(sampleRate);
    // The only moment CLAP lets a plug-in say its latency changed.
    if (core->latency() != announcedLatency)
    {
        announcedLatency = core->latency();
        host.latencyChanged();
    }
    active = true;
    return true;
}

bool ClapEffect::startProcessing()
{
    processing.store(true, std::memory_order_release);
    return true;
}

void ClapEffect::stopProcessing()
{
    processing.store(false, std::memory_order_release);
}

// Audio thread: the engine only raises a flag for its next block.
void ClapEffect::reset()
{
    if (core && core->engineHost() != nullptr)
        core->engineHost()->restartClean();
}

// Audio thread: no allocation, no locks, no I/O.
clap::ProcessStatus ClapEffect::process(const clap::Process& block)
{
    if (!core || block.audioInputsCount < 1 || block.audioOutputsCount < 1 || block.audioInputs == nullptr ||
        block.audioOutputs == nullptr)
        return clap::kProcessError;
    const clap::AudioBuffer& in = block.audioInputs[kInputPort];
    clap::AudioBuffer& out = block.audioOutputs[kInputPort];
    if (in.channelCount != 2 || out.channelCount != 2 || in.data32 == nullptr || out.data32 == nullptr)
        return clap::kProcessError;

    sendEdits(block.outEvents);
    const clap::InputEvents* events = block.inEvents;
    const bool hasEvents = events != nullptr && events->size != nullptr && events->get != nullptr;
    processWithChanges(*core, in.data32, out.data32, block.framesCount, hasEvents ? events->size(events) : 0,
                       [events](std::uint32_t i) { return parameterChange(events->get(events, i)); });
    out.constantMask = 0;
    return clap::kProcessContinue;
}

void ClapEffect::applyEvents(const clap::InputEvents* events)
{
    if (events == nullptr || events->size == nullptr || events->get == nullptr)
        return;
    const std::uint32_t count = events->size(events);
    for (std::uint32_t i = 0; i < count; ++i)
    {
        if (const std::optional<TimedParameterChange> change = parameterChange(events->get(events, i)))
            core->setParameter(change->index, change->value);
    }
}

// The editor's edits as the host records them; what the list refuses waits for the next call.
void ClapEffect::sendEdits(const clap::OutputEvents* out)
{
    if (out == nullptr || out->tryPush == nullptr)
        return;
    edits.drain(
        [out](const EditorEditQueue::Edit& edit)
        {
            const auto id = static_cast<clap::Id>(edit.index);
            if (edit.kind == EditorEditQueue::Kind::Value)
            {
                clap::EventParamValue event{outgoingHeader(sizeof(clap::EventParamValue), clap::kEventParamValue),
                                            id,
                                            nullptr,
                                            -1,
                                            -1,
                                            -1,
                                            -1,
                                            edit.value};
                return out->tryPush(out, &event.header);
            }
            const std::uint16_t type =
                edit.kind == EditorEditQueue::Kind::Begin ? clap::kEventParamGestureBegin : clap::kEventParamGestureEnd;
            clap::EventParamGesture event{outgoingHeader(sizeof(clap::EventParamGesture), type), id};
            return out->tryPush(out, &event.header);
        });
}

void ClapEffect::flush(const clap::InputEvents* in, const clap::OutputEvents* out)
{
    if (!core)
        return;
    applyEvents(in);
    sendEdits(out);
}

std::uint32_t ClapEffect::latency() const
{
    return core ? static_cast<std::uint32_t>(core->latency()) : 0;
}

std::uint32_t ClapEffect::tail() const
{
    return 2 * latency();
}

bool ClapEffect::parameterInfo(std::uint32_t index, clap::ParamInfo& info) const
{
    if (!isParameterId(index))
        return false;
    const ParameterDescriptor& parameter = kParameterTable[index];
    info = clap::ParamInfo{};
    info.id = index;
    info.flags = (parameter.automatable() ? clap::kParamIsAutomatable : 0u) |
                 (parameter.readOnly() ? clap::kParamIsReadonly : 0u) |
                 (parameter.hidden() ? clap::kParamIsHidden : 0u);
    // CLAP steps are whole numbers of the range: only an on/off value fits 0..1. Eq_Num keeps
    // the 0..1 range hosts have automated it in, and reads as its count of points.
    if (parameter.stepCount == 1)
        info.flags |= clap::kParamIsStepped;
    info.cookie = nullptr;
    copyBounded(info.name, parameter.name, sizeof(info.name));
    copyBounded(info.module, "", sizeof(info.module));
    info.minValue = parameter.minimum;
    info.maxValue = parameter.maximum;
    info.defaultValue = parameter.defaultValue;
    return true;
}

bool ClapEffect::parameterValue(clap::Id id, double& value)
{
    if (!core || !isParameterId(id))
        return false;
    value = core->hostValue(static_cast<int>(id));
    return true;
}

bool ClapEffect::valueToText(clap::Id id, double value, char* text, std::uint32_t capacity) const
{
    if (!isParameterId(id) || text == nullptr || capacity == 0)
        return false;
    formatSteppedParameterValue(static_cast<int>(id), static_cast<float>(value), text, capacity);
    return true;
}

bool ClapEffect::textToValue(clap::Id id, const char* text, double& value) const
{
    float parsed = 0.0f;
    if (!isParameterId(id) || !parseSteppedParameterValue(static_cast<int>(id), text, parsed))
        return false;
    value = parsed;
    return true;
}

bool ClapEffect::saveState(const clap::OutputStream& stream)
{
    return core && core->saveState(stateWriterOf(stream));
}

bool ClapEffect::loadState(const clap::InputStream& stream)
{
    if (!core || !core->loadState(stateReaderOf(stream), sampleRate))
        return false;
    host.rescanParameterValues();
    return true;
}

bool ClapEffect::loadPreset(std::uint32_t locationKind, const char* location, const char* loadKey)
{
    if (!core)
        return false;
    std::string problem;
    const std::optional<ProgramChunk> chunk = clap_presets::chunkFor(locationKind, location, loadKey, problem);
    if (chunk && !core->loadState(chunk->data(), chunk->size(), sampleRate))
        problem = "the effect did not take the preset";
    if (!problem.empty())
    {
        host.presetNotLoaded(locationKind, location, loadKey, problem.c_str());
        return false;
    }
    host.rescanParameterValues();
    // A file is named by its location alone; only a preset inside the plug-in has a key.
    host.presetLoaded(locationKind, location, locationKind == clap::kPresetLocationPlugin ? loadKey : nullptr);
    return true;
}

bool ClapEffect::queueEdit(const EditorEditQueue::Edit& edit)
{
    const bool queued = edits.push(edit);
    // Outside processing the host hands the edits on through a flush it is asked for.
    if (!processing.load(std::memory_order_acquire))
        host.requestFlush();
    return queued;
}

bool ClapEffect::editBegun(int index)
{
    return queueEdit({EditorEditQueue::Kind::Begin, index, 0.0f});
}

void ClapEffect::valueEdited(int index, float value)
{
    queueEdit({EditorEditQueue::Kind::Value, index, value});
}

bool ClapEffect::editEnded(int index)
{
    return queueEdit({EditorEditQueue::Kind::End, index, 0.0f});
}

bool ClapEffect::editorResizeRequested(int width, int height)
{
    return width > 0 && height > 0 &&
           host.requestResize(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
}
