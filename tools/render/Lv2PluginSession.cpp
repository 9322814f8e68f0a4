#include "Lv2PluginSession.h"

#include "params/PlainValues.h"

#include "RenderErrors.h"

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <algorithm>
#include <cmath>

namespace
{

// The plug-in's state as it saves it: its one property (count says how many it stored).
struct StateProperty
{
    std::uint32_t key = 0;
    std::uint32_t type = 0;
    std::vector<unsigned char> bytes;
    int count = 0;
};

// A chunk handed back under the key and type the plug-in saved it with.
struct OfferedProperty
{
    std::uint32_t key;
    std::uint32_t type;
    const std::vector<unsigned char>* bytes;
};

LV2_State_Status storeProperty(LV2_State_Handle handle, std::uint32_t key, const void* value, std::size_t size,
                               std::uint32_t type, std::uint32_t)
{
    auto& property = *static_cast<StateProperty*>(handle);
    const auto* bytes = static_cast<const unsigned char*>(value);
    property.key = key;
    property.type = type;
    property.bytes.assign(bytes, bytes + size);
    ++property.count;
    return LV2_STATE_SUCCESS;
}

const void* retrieveOffered(LV2_State_Handle handle, std::uint32_t key, std::size_t* size, std::uint32_t* type,
                            std::uint32_t* flags)
{
    const auto& offered = *static_cast<const OfferedProperty*>(handle);
    if (key != offered.key)
        return nullptr;
    *size = offered.bytes->size();
    *type = offered.type;
    *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    return offered.bytes->data();
}

const LV2_State_Interface* stateInterfaceOf(LilvInstance* instance)
{
    return static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(instance, LV2_STATE__interface));
}

StateProperty savedState(LilvInstance* instance, const LV2_Feature* const* features)
{
    StateProperty property;
    const LV2_State_Interface* state = stateInterfaceOf(instance);
    if (state == nullptr || state->save == nullptr ||
        state->save(lilv_instance_get_handle(instance), storeProperty, &property, LV2_STATE_IS_POD, features) !=
            LV2_STATE_SUCCESS)
        property.count = 0;
    return property;
}

}  // namespace

Lv2PluginSession::Lv2PluginSession(const std::string& bundlePath, int sampleRate, int blockSize)
    : bundle(std::make_unique<Lv2BundleWorld>(bundlePath)), maxBlockSize(blockSize)
{
    const LilvPlugin* plugin = bundle->plugin();
    if (plugin == nullptr)
        throw RenderFailure(bundle->error());
    const std::uint32_t count = lilv_plugin_get_num_ports(plugin);
    controls.assign(count, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, controls.data());
    const LilvNode* audio = bundle->uri(LV2_CORE__AudioPort);
    const LilvNode* control = bundle->uri(LV2_CORE__ControlPort);
    const LilvNode* input = bundle->uri(LV2_CORE__InputPort);
    for (std::uint32_t port = 0; port < count; ++port)
    {
        const LilvPort* description = lilv_plugin_get_port_by_index(plugin, port);
        const bool isInput = lilv_port_is_a(plugin, description, input);
        if (std::isnan(controls[port]))
            controls[port] = 0.0f;
        if (lilv_port_is_a(plugin, description, audio))
            (isInput ? audioInputs : audioOutputs).push_back(port);
        else if (isInput && lilv_port_is_a(plugin, description, control))
            controlInputs.push_back(port);
    }
    if (lilv_plugin_has_latency(plugin))
        latencyPort = lilv_plugin_get_latency_port_index(plugin);
    if (audioInputs.size() < 2 || audioOutputs.size() < 2)
        throw RenderFailure(bundlePath + ": the plug-in has no stereo audio input and output");

    mapFeature = {LV2_URID__map, bundle->urids().mapFeature()};
    unmapFeature = {LV2_URID__unmap, bundle->urids().unmapFeature()};
    features = {&mapFeature, &unmapFeature, nullptr};
    instance = lilv_plugin_instantiate(plugin, sampleRate, features.data());
    if (instance == nullptr)
        throw RenderFailure(bundlePath + ": " + lilv_node_as_uri(lilv_plugin_get_uri(plugin)) +
                            " would not start (does it need a host feature beyond urid:map?)");
    // Everything but the audio ports reads and writes its value here; the audio ports are
    // connected for each run.
    for (std::uint32_t port = 0; port < count; ++port)
        lilv_instance_connect_port(instance, port, &controls[port]);
}

// The instance goes before the world that described it.
Lv2PluginSession::~Lv2PluginSession()
{
    if (active)
        lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
    bundle.reset();
}

bool Lv2PluginSession::isParameterPort(int port) const
{
    return port >= 0 && std::find(controlInputs.begin(), controlInputs.end(), static_cast<std::uint32_t>(port)) !=
                            controlInputs.end();
}

std::vector<ParameterInfo> Lv2PluginSession::parameters() const
{
    std::vector<ParameterInfo> list;
    for (std::uint32_t port : controlInputs)
    {
        LilvNode* name = lilv_port_get_name(bundle->plugin(), lilv_plugin_get_port_by_index(bundle->plugin(), port));
        list.push_back({static_cast<int>(port), name != nullptr ? lilv_node_as_string(name) : "",
                        normalisedValueForPlain(static_cast<int>(port), controls[port])});
        lilv_node_free(name);
    }
    return list;
}

void Lv2PluginSession::setParameter(int index, float value)
{
    if (isParameterPort(index))
        controls[static_cast<std::size_t>(index)] = plainValueFor(index, value);
}

void Lv2PluginSession::scheduleParameter(int index, float value, int offset)
{
    if (isParameterPort(index))
        scheduled.push_back({offset, index, plainValueFor(index, value)});
}

bool Lv2PluginSession::loadChunk(const std::vector<unsigned char>& bytes)
{
    // The key and type the plug-in keeps its state under, from a save.
    const StateProperty current = savedState(instance, features.data());
    const LV2_State_Interface* state = stateInterfaceOf(instance);
    if (current.count != 1 || state == nullptr || state->restore == nullptr)
        return false;
    OfferedProperty offered{current.key, current.type, &bytes};
    return state->restore(lilv_instance_get_handle(instance), retrieveOffered, &offered, 0, features.data()) ==
           LV2_STATE_SUCCESS;
}

std::vector<unsigned char> Lv2PluginSession::saveChunk() const
{
    const StateProperty current = savedState(instance, features.data());
    if (current.count != 1)
        throw RenderFailure("the plug-in's state is not one property, which a chunk file could hold");
    return current.bytes;
}

void Lv2PluginSession::resume()
{
    if (!active)
        lilv_instance_activate(instance);
    active = true;
}

void Lv2PluginSession::suspend()
{
    if (active)
        lilv_instance_deactivate(instance);
    active = false;
}

// What the latency port reads after a run of no samples.
int Lv2PluginSession::latency() const
{
    if (latencyPort < 0)
        return 0;
    lilv_instance_run(instance, 0);
    return static_cast<int>(controls[static_cast<std::size_t>(latencyPort)]);
}

void Lv2PluginSession::process(const float* left, const float* right, float* outLeft, float* outRight, int frames)
{
    // Control ports are read once per run: a value timed inside the block splits it there.
    std::stable_sort(scheduled.begin(), scheduled.end(),
                     [](const ScheduledValue& a, const ScheduledValue& b) { return a.offset < b.offset; });
    int done = 0;
    for (const ScheduledValue& value : scheduled)
    {
        const int at = std::clamp(value.offset, done, frames);
        if (at > done)
            run(left + done, right + done, outLeft + done, outRight + done, at - done);
        done = at;
        controls[static_cast<std::size_t>(value.port)] = value.value;
    }
    scheduled.clear();
    if (frames > done)
        run(left + done, right + done, outLeft + done, outRight + done, frames - done);
}

void Lv2PluginSession::run(const float* left, const float* right, float* outLeft, float* outRight, int frames)
{
    lilv_instance_connect_port(instance, audioInputs[0], const_cast<float*>(left));
    lilv_instance_connect_port(instance, audioInputs[1], const_cast<float*>(right));
    lilv_instance_connect_port(instance, audioOutputs[0], outLeft);
    lilv_instance_connect_port(instance, audioOutputs[1], outRight);
    lilv_instance_run(instance, static_cast<std::uint32_t>(frames));
}
