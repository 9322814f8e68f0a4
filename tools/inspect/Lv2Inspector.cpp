#include "Lv2Inspector.h"

#include "Lv2BundleWorld.h"

#include <lv2/core/lv2.h>
#include <lv2/port-props/port-props.h>
#include <lv2/presets/presets.h>
#include <lv2/units/units.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace
{

constexpr char kRdfType[] = "http://www.w3.org/1999/02/22-rdf-syntax-ns#type";
constexpr char kRdfsLabel[] = "http://www.w3.org/2000/01/rdf-schema#label";

std::string textOf(LilvNode* node)
{
    const std::string text = node != nullptr ? lilv_node_as_string(node) : "";
    lilv_node_free(node);
    return text;
}

std::string listOf(LilvNodes* nodes)
{
    std::string list;
    LILV_FOREACH(nodes, i, nodes)
    list += (list.empty() ? "" : ", ") + std::string(lilv_node_as_string(lilv_nodes_get(nodes, i)));
    lilv_nodes_free(nodes);
    return list.empty() ? "none" : list;
}

std::string valueOf(Lv2BundleWorld& bundle, const char* predicate)
{
    LilvNodes* values = lilv_plugin_get_value(bundle.plugin(), bundle.uri(predicate));
    const std::string value = values != nullptr ? lilv_node_as_string(lilv_nodes_get_first(values)) : "?";
    lilv_nodes_free(values);
    return value;
}

void printIdentity(Lv2BundleWorld& bundle)
{
    const LilvPlugin* plugin = bundle.plugin();
    std::printf("Plug-in URI:   %s\n", lilv_node_as_uri(lilv_plugin_get_uri(plugin)));
    std::printf("Name:          %s\n", textOf(lilv_plugin_get_name(plugin)).c_str());
    std::printf("Author:        %s\n", textOf(lilv_plugin_get_author_name(plugin)).c_str());
    std::printf("Types:         %s\n", listOf(lilv_plugin_get_value(plugin, bundle.uri(kRdfType))).c_str());
    std::printf("Version:       minor %s, micro %s\n", valueOf(bundle, LV2_CORE__minorVersion).c_str(),
                valueOf(bundle, LV2_CORE__microVersion).c_str());
    std::printf("Requires:      %s\n", listOf(lilv_plugin_get_required_features(plugin)).c_str());
    std::printf("Optional:      %s\n", listOf(lilv_plugin_get_optional_features(plugin)).c_str());
    std::printf("Extensions:    %s\n", listOf(lilv_plugin_get_extension_data(plugin)).c_str());
}

std::string kindOf(Lv2BundleWorld& bundle, const LilvPort* port)
{
    const LilvPlugin* plugin = bundle.plugin();
    const bool input = lilv_port_is_a(plugin, port, bundle.uri(LV2_CORE__InputPort));
    if (lilv_port_is_a(plugin, port, bundle.uri(LV2_CORE__AudioPort)))
        return input ? "audio in" : "audio out";
    return input ? "control in" : "control out";
}

std::string propertiesOf(Lv2BundleWorld& bundle, const LilvPort* port)
{
    const LilvPlugin* plugin = bundle.plugin();
    const std::pair<const char*, const char*> kProperties[] = {
        {LV2_CORE__toggled, "toggled"},           {LV2_CORE__enumeration, "enumeration"},
        {LV2_CORE__integer, "integer"},           {LV2_CORE__reportsLatency, "reports latency"},
        {LV2_PORT_PROPS__notOnGUI, "not on GUI"}, {LV2_PORT_PROPS__notAutomatic, "not automatic"},
    };
    std::string text;
    if (LilvNodes* units = lilv_port_get_value(plugin, port, bundle.uri(LV2_UNITS__unit)))
    {
        const std::string unit = lilv_node_as_uri(lilv_nodes_get_first(units));
        text += "  [" + unit.substr(unit.find('#') + 1) + "]";
        lilv_nodes_free(units);
    }
    for (const auto& [uri, name] : kProperties)
    {
        if (lilv_port_has_property(plugin, port, bundle.uri(uri)))
            text += "  (" + std::string(name) + ")";
    }
    if (LilvScalePoints* points = lilv_port_get_scale_points(plugin, port))
    {
        text += "  " + std::to_string(lilv_scale_points_size(points)) + " scale points";
        lilv_scale_points_free(points);
    }
    return text;
}

void printPorts(Lv2BundleWorld& bundle)
{
    const LilvPlugin* plugin = bundle.plugin();
    const std::uint32_t count = lilv_plugin_get_num_ports(plugin);
    std::printf("Ports:         %u\n", count);
    for (std::uint32_t index = 0; index < count; ++index)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
        const std::string quotedName = "\"" + textOf(lilv_port_get_name(plugin, port)) + "\"";
        std::printf("  %2u  %-11s %-14s %-14s", index, kindOf(bundle, port).c_str(),
                    lilv_node_as_string(lilv_port_get_symbol(plugin, port)), quotedName.c_str());
        LilvNode* defaultValue = nullptr;
        LilvNode* minimum = nullptr;
        LilvNode* maximum = nullptr;
        lilv_port_get_range(plugin, port, &defaultValue, &minimum, &maximum);
        if (defaultValue != nullptr && minimum != nullptr && maximum != nullptr)
            std::printf(" %.6f in %.6f..%.6f", lilv_node_as_float(defaultValue), lilv_node_as_float(minimum),
                        lilv_node_as_float(maximum));
        lilv_node_free(defaultValue);
        lilv_node_free(minimum);
        lilv_node_free(maximum);
        std::printf("%s\n", propertiesOf(bundle, port).c_str());
    }
}

void printPresets(Lv2BundleWorld& bundle)
{
    LilvNodes* presets = lilv_plugin_get_related(bundle.plugin(), bundle.uri(LV2_PRESETS__Preset));
    std::printf("Presets:       %u\n", presets != nullptr ? lilv_nodes_size(presets) : 0u);
    LILV_FOREACH(nodes, i, presets)
    {
        const LilvNode* preset = lilv_nodes_get(presets, i);
        lilv_world_load_resource(bundle.world(), preset);
        LilvNodes* labels = lilv_world_find_nodes(bundle.world(), preset, bundle.uri(kRdfsLabel), nullptr);
        std::printf("  %s\n",
                    labels != nullptr ? lilv_node_as_string(lilv_nodes_get_first(labels)) : lilv_node_as_uri(preset));
        lilv_nodes_free(labels);
    }
    lilv_nodes_free(presets);
}

// What the latency port reads after a run of no samples, or "?" without one or an instance.
std::string latencyAt(Lv2BundleWorld& bundle, double sampleRate)
{
    const LilvPlugin* plugin = bundle.plugin();
    if (!lilv_plugin_has_latency(plugin))
        return "?";
    LV2_Feature map{LV2_URID__map, bundle.urids().mapFeature()};
    LV2_Feature unmap{LV2_URID__unmap, bundle.urids().unmapFeature()};
    const LV2_Feature* features[] = {&map, &unmap, nullptr};
    LilvInstance* instance = lilv_plugin_instantiate(plugin, sampleRate, features);
    if (instance == nullptr)
        return "?";
    const std::uint32_t count = lilv_plugin_get_num_ports(plugin);
    std::vector<float> values(count, 0.0f);
    lilv_plugin_get_port_ranges_float(plugin, nullptr, nullptr, values.data());
    for (std::uint32_t port = 0; port < count; ++port)
    {
        if (std::isnan(values[port]))
            values[port] = 0.0f;
        lilv_instance_connect_port(instance, port, &values[port]);
    }
    const std::uint32_t latencyPort = lilv_plugin_get_latency_port_index(plugin);
    values[latencyPort] = -1.0f;
    lilv_instance_activate(instance);
    lilv_instance_run(instance, 0);
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
    return std::to_string(static_cast<long>(values[latencyPort]));
}

}  // namespace

int inspectLv2Bundle(const char* path)
{
    Lv2BundleWorld bundle(path);
    if (bundle.plugin() == nullptr)
    {
        std::fprintf(stderr, "vantor-inspect: %s\n", bundle.error().c_str());
        return 1;
    }
    std::printf("Bundle:        %s (LV2)\n", path);
    printIdentity(bundle);
    printPorts(bundle);
    printPresets(bundle);
    std::printf("Latency:       %s samples at 44100 Hz, %s at 48000 Hz, %s at 96000 Hz\n",
                latencyAt(bundle, 44100.0).c_str(), latencyAt(bundle, 48000.0).c_str(),
                latencyAt(bundle, 96000.0).c_str());
    return 0;
}
