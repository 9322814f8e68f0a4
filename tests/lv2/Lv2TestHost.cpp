#include "Lv2TestHost.h"

#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{

std::uint32_t portIndexOf(const char* symbol)
{
    Lv2BundleWorld& world = lv2Bundle();
    LilvNode* symbolNode = lilv_new_string(world.world(), symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(world.plugin(), symbolNode);
    lilv_node_free(symbolNode);
    return port != nullptr ? lilv_port_get_index(world.plugin(), port) : UINT32_MAX;
}

}  // namespace

Lv2BundleWorld& lv2Bundle()
{
    const char* folder = std::getenv("VANTOR_LV2_BUNDLE");
    static Lv2BundleWorld bundle(folder != nullptr ? folder : "");
    const LilvPlugin* plugin = bundle.plugin();
    if (plugin == nullptr || std::string(lilv_node_as_uri(lilv_plugin_get_uri(plugin))) != kLv2PluginUri)
        ADD_FAILURE() << "no " << kLv2PluginUri << " in VANTOR_LV2_BUNDLE: " << bundle.error();
    return bundle;
}

Lv2Instance::Lv2Instance(double sampleRate, Lv2HostFeatures offered)
{
    Lv2BundleWorld& world = lv2Bundle();
    if (world.plugin() == nullptr)
        return;
    mapFeature = {LV2_URID__map, world.urids().mapFeature()};
    unmapFeature = {LV2_URID__unmap, world.urids().unmapFeature()};
    features = {&mapFeature, &unmapFeature, nullptr};
    if (offered == Lv2HostFeatures::None)
        features = {nullptr};
    instance = lilv_plugin_instantiate(world.plugin(), sampleRate, features.data());
    if (instance == nullptr)
        return;
    const std::uint32_t portCount = lilv_plugin_get_num_ports(world.plugin());
    controls.assign(portCount, 0.0f);
    std::vector<float> defaults(portCount, 0.0f);
    lilv_plugin_get_port_ranges_float(world.plugin(), nullptr, nullptr, defaults.data());
    for (std::uint32_t port = 0; port < portCount; ++port)
    {
        if (!std::isnan(defaults[port]))
            controls[port] = defaults[port];
        // Audio ports are connected for each run; everything else to its value here.
        lilv_instance_connect_port(instance, port, &controls[port]);
    }
    lilv_instance_activate(instance);
}

Lv2Instance::~Lv2Instance()
{
    if (instance == nullptr)
        return;
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
}

void Lv2Instance::render(StereoSignal& signal, const std::vector<std::size_t>& blockLengths,
                         const std::function<void(Lv2Instance&, std::size_t)>& beforeBlock)
{
    ASSERT_TRUE(created());
    ASSERT_FALSE(blockLengths.empty());
    std::size_t frames = 0;
    for (std::size_t start = 0, block = 0; start < signal.left.size(); start += frames, ++block)
    {
        if (beforeBlock)
            beforeBlock(*this, block);
        frames = std::min(blockLengths[block % blockLengths.size()], signal.left.size() - start);
        lilv_instance_connect_port(instance, kParameterPorts + 0, signal.left.data() + start);
        lilv_instance_connect_port(instance, kParameterPorts + 1, signal.right.data() + start);
        lilv_instance_connect_port(instance, kParameterPorts + 2, signal.left.data() + start);
        lilv_instance_connect_port(instance, kParameterPorts + 3, signal.right.data() + start);
        lilv_instance_run(instance, static_cast<std::uint32_t>(frames));
    }
}

float Lv2Instance::reportedLatency()
{
    const std::uint32_t port = latencyPort();
    controls[port] = -1.0f;
    lilv_instance_run(instance, 0);
    return controls[port];
}

float Lv2Instance::latencyOnConnection()
{
    const std::uint32_t port = latencyPort();
    float fresh = -1.0f;
    lilv_instance_connect_port(instance, port, &fresh);
    lilv_instance_connect_port(instance, port, &controls[port]);
    return fresh;
}

std::uint32_t Lv2Instance::latencyPort() const
{
    return lilv_plugin_get_latency_port_index(lv2Bundle().plugin());
}

LilvState* Lv2Instance::state()
{
    Lv2BundleWorld& world = lv2Bundle();
    auto portValue = [](const char* symbol, void* self, std::uint32_t* size, std::uint32_t* type) -> const void*
    {
        const std::uint32_t index = portIndexOf(symbol);
        *size = sizeof(float);
        *type = lv2Bundle().urids().map(LV2_ATOM__Float);
        return &static_cast<Lv2Instance*>(self)->controls.at(index);
    };
    return lilv_state_new_from_instance(world.plugin(), instance, world.urids().mapFeature(), nullptr, nullptr, nullptr,
                                        nullptr, portValue, this, 0, features.data());
}

void Lv2Instance::restore(const LilvState* state)
{
    auto setPortValue = [](const char* symbol, void* self, const void* value, std::uint32_t size, std::uint32_t type)
    {
        Lv2UridMap& urids = lv2Bundle().urids();
        float& control = static_cast<Lv2Instance*>(self)->controls.at(portIndexOf(symbol));
        if (type == urids.map(LV2_ATOM__Float) && size == sizeof(float))
            control = *static_cast<const float*>(value);
        else if (type == urids.map(LV2_ATOM__Double) && size == sizeof(double))
            control = static_cast<float>(*static_cast<const double*>(value));
        else if (type == urids.map(LV2_ATOM__Int) && size == sizeof(std::int32_t))
            control = static_cast<float>(*static_cast<const std::int32_t*>(value));
        else
            ADD_FAILURE() << "port " << symbol << " restored with a value of type " << urids.unmap(type);
    };
    lilv_state_restore(state, instance, setPortValue, this, 0, features.data());
}

std::vector<unsigned char> Lv2Instance::savedChunk()
{
    std::vector<unsigned char> chunk;
    EXPECT_EQ(saveChunk(chunk), LV2_STATE_SUCCESS);
    return chunk;
}

LV2_State_Status Lv2Instance::saveChunk(std::vector<unsigned char>& chunk)
{
    const auto* interface =
        static_cast<const LV2_State_Interface*>(lilv_instance_get_extension_data(instance, LV2_STATE__interface));
    if (interface == nullptr)
        return LV2_STATE_ERR_UNKNOWN;
    auto store =
        [](LV2_State_Handle handle, std::uint32_t, const void* value, std::size_t size, std::uint32_t, std::uint32_t)
    {
        const auto* bytes = static_cast<const unsigned char*>(value);
        static_cast<std::vector<unsigned char>*>(handle)->assign(bytes, bytes + size);
        return LV2_STATE_SUCCESS;
    };
    return interface->save(lilv_instance_get_handle(instance), store, &chunk, 0, features.data());
}

LV2_State_Status restoreOffered(Lv2Instance& plugin, const OfferedProperty& offered)
{
    const auto* interface = static_cast<const LV2_State_Interface*>(
        lilv_instance_get_extension_data(plugin.lilvInstance(), LV2_STATE__interface));
    if (interface == nullptr)
        return LV2_STATE_ERR_UNKNOWN;
    auto retrieve = [](LV2_State_Handle handle, std::uint32_t key, std::size_t* size, std::uint32_t* type,
                       std::uint32_t* flags) -> const void*
    {
        const auto& property = *static_cast<const OfferedProperty*>(handle);
        if (key != property.key)
            return nullptr;
        *size = property.bytes.size();
        *type = property.type;
        *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
        return property.bytes.data();
    };
    return interface->restore(lilv_instance_get_handle(plugin.lilvInstance()), retrieve,
                              const_cast<OfferedProperty*>(&offered), 0, nullptr);
}
