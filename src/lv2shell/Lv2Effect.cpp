#include "lv2shell/Lv2Effect.h"

#include "identity/EffectIdentity.h"
#include "lv2shell/Lv2PluginFacts.h"

#include <lv2/atom/atom.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace
{

// Hosts keep port values as text, lilv with eight decimals, others with printf's six, so a
// port restored beside the state may come back a rounding away from the value the state
// holds: that is the same value, not a change.
constexpr float kRestoredPortTolerance = 1e-6f;

bool sameRestoredValue(float portValue, float restored)
{
    return std::fabs(portValue - restored) <= kRestoredPortTolerance * std::max(1.0f, std::fabs(restored));
}

const LV2_URID_Map* uridMapOf(const LV2_Feature* const* features)
{
    for (; features != nullptr && *features != nullptr; ++features)
    {
        if (std::strcmp((*features)->URI, LV2_URID__map) == 0)
        {
            const auto* map = static_cast<const LV2_URID_Map*>((*features)->data);
            return map != nullptr && map->map != nullptr ? map : nullptr;
        }
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<Lv2Effect> Lv2Effect::create(double sampleRate, const LV2_Feature* const* features)
{
    if (!(sampleRate > 0.0))
        return nullptr;
    std::unique_ptr<Lv2Effect> effect(new Lv2Effect(static_cast<float>(sampleRate), uridMapOf(features)));
    if (!effect->core->hasEngine())
        return nullptr;
    return effect;
}

Lv2Effect::Lv2Effect(float rate, const LV2_URID_Map* map) : sampleRate(rate)
{
    if (map != nullptr)
    {
        const std::string programUri = std::string(kEffectIdentity.lv2Uri) + lv2_facts::kProgramPropertyFragment;
        programKey = map->map(map->handle, programUri.c_str());
        chunkType = map->map(map->handle, LV2_ATOM__Chunk);
    }
    EffectHostLink& link = *this;
    // No editor: this binary links no window system (the UI is a binary of its own).
    core = std::make_unique<EffectCore>(link, sampleRate, nullptr);
    if (!core->hasEngine())
        return;
    core->setProgram(0, sampleRate);
    latencyChanged(core->latency());
    for (int i = 0; i < kNumParameters; ++i)
        lastPortValue[i] = lv2_facts::portValueOf(i, core->getParameter(i));
}

void Lv2Effect::connectPort(std::uint32_t port, void* data)
{
    if (port < static_cast<std::uint32_t>(kNumParameters))
        parameterPorts[port] = static_cast<const float*>(data);
    else if (port == lv2_facts::kAudioInLeft || port == lv2_facts::kAudioInRight)
        audioIn[port - lv2_facts::kAudioInLeft] = static_cast<const float*>(data);
    else if (port == lv2_facts::kAudioOutLeft || port == lv2_facts::kAudioOutRight)
        audioOut[port - lv2_facts::kAudioOutLeft] = static_cast<float*>(data);
    else if (port == lv2_facts::kLatency)
    {
        // Some hosts read the latency from the float they connect before any run, or connect
        // another one before they run (Audacity 3.2): it must hold the value from now on.
        latencyPort = static_cast<float*>(data);
        writeLatency();
    }
}

void Lv2Effect::activate()
{
    core->restartClean(sampleRate);
    writeLatency();
}

// Audio thread: no allocation, no locks, no I/O.
void Lv2Effect::run(std::uint32_t frames)
{
    applyPortChanges();
    writeLatency();
    if (frames == 0 || audioIn[0] == nullptr || audioIn[1] == nullptr || audioOut[0] == nullptr ||
        audioOut[1] == nullptr)
        return;
    // The engine reads each input sample before it writes that output sample, so a host's
    // shared input and output buffers are fine.
    float* inputs[2] = {const_cast<float*>(audioIn[0]), const_cast<float*>(audioIn[1])};
    float* outputs[2] = {audioOut[0], audioOut[1]};
    core->process(inputs, outputs, static_cast<int>(frames));
}

void Lv2Effect::writeLatency()
{
    if (latencyPort != nullptr)
        *latencyPort = static_cast<float>(latencySamples.load(std::memory_order_relaxed));
}

void Lv2Effect::applyPortChanges()
{
    for (int i = 0; i < kNumParameters; ++i)
    {
        const float* port = parameterPorts[static_cast<std::size_t>(i)];
        if (port == nullptr)
            continue;
        const float value = *port;
        float& last = lastPortValue[static_cast<std::size_t>(i)];
        if (value == last)
            continue;
        last = value;
        // A host restoring its ports beside the state brings the state's own values back: in
        // the ports' units, or as the normalised values that sessions and presets saved
        // while the ports carried those.
        const auto slot = static_cast<std::size_t>(i);
        const bool restoredAlready = restoredSinceRun && (sameRestoredValue(value, restoredPortValue[slot]) ||
                                                          sameRestoredValue(value, restoredValue[slot]));
        if (!restoredAlready)
            core->setParameter(i, lv2_facts::effectValueOfPort(i, value));
    }
    restoredSinceRun = false;
}

LV2_State_Status Lv2Effect::saveState(LV2_State_Store_Function store, LV2_State_Handle handle)
{
    if (programKey == 0 || chunkType == 0)
        return LV2_STATE_ERR_NO_FEATURE;
    const void* state = core->stateToSave();
    if (store == nullptr || state == nullptr)
        return LV2_STATE_ERR_UNKNOWN;
    return store(handle, programKey, state, EffectCore::kStateSize, chunkType,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status Lv2Effect::restoreState(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
    if (programKey == 0 || chunkType == 0)
        return LV2_STATE_ERR_NO_FEATURE;
    if (retrieve == nullptr)
        return LV2_STATE_ERR_UNKNOWN;
    std::size_t size = 0;
    std::uint32_t type = 0;
    std::uint32_t flags = 0;
    const void* chunk = retrieve(handle, programKey, &size, &type, &flags);
    if (chunk == nullptr)
        return LV2_STATE_ERR_NO_PROPERTY;
    if (type != chunkType)
        return LV2_STATE_ERR_BAD_TYPE;
    if (!core->loadState(chunk, size, sampleRate))
        return LV2_STATE_ERR_UNKNOWN;
    for (int i = 0; i < kNumParameters; ++i)
    {
        restoredValue[static_cast<std::size_t>(i)] = core->getParameter(i);
        restoredPortValue[static_cast<std::size_t>(i)] = lv2_facts::portValueOf(i, core->getParameter(i));
    }
    restoredSinceRun = true;
    return LV2_STATE_SUCCESS;
}
