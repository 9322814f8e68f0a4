// What an LV2 host reads from the bundle before it loads anything, through lilv: the plug-in
// named as the VST 2.4 module names itself, one control input per parameter with the
// parameter record's symbol, name, default, range and kind, stereo audio, the latency
// report, and nothing asked of the host that not every host gives.
#include "Lv2TestHost.h"
#include "host/PluginHost.h"
#include "params/ParameterTable.h"
#include "params/PlainValues.h"
#include "params/ValueText.h"

#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/core/lv2.h>
#include <lv2/port-props/port-props.h>
#include <lv2/state/state.h>
#include <lv2/units/units.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

std::string textOf(LilvNode* node)
{
    const std::string text = node != nullptr ? lilv_node_as_string(node) : "";
    lilv_node_free(node);
    return text;
}

float floatOf(LilvNode* node)
{
    const float value = node != nullptr ? lilv_node_as_float(node) : -1.0f;
    lilv_node_free(node);
    return value;
}

std::vector<std::string> urisOf(LilvNodes* nodes)
{
    std::vector<std::string> uris;
    LILV_FOREACH(nodes, i, nodes)
    uris.emplace_back(lilv_node_as_uri(lilv_nodes_get(nodes, i)));
    lilv_nodes_free(nodes);
    return uris;
}

int integerValue(const char* predicate)
{
    Lv2BundleWorld& world = lv2Bundle();
    LilvNodes* values = lilv_plugin_get_value(world.plugin(), world.uri(predicate));
    const int value = values != nullptr ? lilv_node_as_int(lilv_nodes_get_first(values)) : -1;
    lilv_nodes_free(values);
    return value;
}

bool isBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

bool hasProperty(const LilvPort* port, const char* property)
{
    Lv2BundleWorld& world = lv2Bundle();
    return lilv_port_has_property(world.plugin(), port, world.uri(property));
}

}  // namespace

TEST(Lv2Description, ThePluginIsNamedAndVersionedAsTheVstModuleNamesItself)
{
    Lv2BundleWorld& world = lv2Bundle();
    ASSERT_NE(world.plugin(), nullptr);
    EffectInstance vst;
    EXPECT_EQ(textOf(lilv_plugin_get_name(world.plugin())), vst.text(effGetProductString));
    EXPECT_EQ(textOf(lilv_plugin_get_author_name(world.plugin())), vst.text(effGetVendorString));
    const std::vector<std::string> types =
        urisOf(lilv_plugin_get_value(world.plugin(), world.uri("http://www.w3.org/1999/02/22-rdf-syntax-ns#type")));
    EXPECT_NE(std::find(types.begin(), types.end(), LV2_CORE__SpatialPlugin), types.end());
    // The vendor version is major, minor and patch as decimal digits.
    const int vendorVersion = static_cast<int>(vst.dispatch(effGetVendorVersion));
    EXPECT_EQ(integerValue(LV2_CORE__minorVersion), vendorVersion / 10 % 10);
    EXPECT_EQ(integerValue(LV2_CORE__microVersion), vendorVersion % 10);
}

TEST(Lv2Description, EveryParameterIsAControlInputAsTheParameterRecordDescribesIt)
{
    Lv2BundleWorld& world = lv2Bundle();
    ASSERT_NE(world.plugin(), nullptr);
    const LilvNode* input = world.uri(LV2_CORE__InputPort);
    const LilvNode* control = world.uri(LV2_CORE__ControlPort);
    for (const ParameterDescriptor& parameter : kParameterTable)
    {
        SCOPED_TRACE(parameter.symbol);
        const LilvPort* port =
            lilv_plugin_get_port_by_index(world.plugin(), static_cast<std::uint32_t>(parameter.index));
        ASSERT_NE(port, nullptr);
        EXPECT_TRUE(lilv_port_is_a(world.plugin(), port, input) && lilv_port_is_a(world.plugin(), port, control));
        EXPECT_EQ(std::string(lilv_node_as_string(lilv_port_get_symbol(world.plugin(), port))), parameter.symbol);
        // A name left blank on purpose for VST 2.4 hosts gets one of its own here.
        if (!isBlank(parameter.name))
        {
            EXPECT_EQ(textOf(lilv_port_get_name(world.plugin(), port)), parameter.name);
        }
        LilvNode* defaultValue = nullptr;
        LilvNode* minimum = nullptr;
        LilvNode* maximum = nullptr;
        lilv_port_get_range(world.plugin(), port, &defaultValue, &minimum, &maximum);
        // In the user's units: what the effect reads from them is the record's own value.
        const PlainRange range = plainRangeOf(parameter.index);
        EXPECT_EQ(normalisedValueForPlain(parameter.index, floatOf(defaultValue)), parameter.defaultValue);
        EXPECT_EQ(floatOf(minimum), range.minimum);
        EXPECT_EQ(floatOf(maximum), range.maximum);
        const std::string unit = plainUnitOf(parameter.index);
        const std::vector<std::string> units =
            urisOf(lilv_port_get_value(world.plugin(), port, world.uri(LV2_UNITS__unit)));
        const std::string unitTerm = unit == "%" ? "pc" : unit == "dB" ? "db" : "";
        EXPECT_EQ(units, unitTerm.empty() ? std::vector<std::string>{}
                                          : std::vector<std::string>{LV2_UNITS_PREFIX + unitTerm});

        EXPECT_EQ(hasProperty(port, LV2_CORE__toggled), parameter.stepCount == 1);
        EXPECT_EQ(hasProperty(port, LV2_CORE__integer), parameter.stepCount > 1);
        // The named values are the switch's words and Gain's silence, labelled as the effect
        // words the value it reads.
        LilvScalePoints* points = lilv_port_get_scale_points(world.plugin(), port);
        EXPECT_EQ(points != nullptr ? lilv_scale_points_size(points) : 0u, parameter.stepCount == 1        ? 2u
                                                                           : parameter.index == kParamGain ? 1u
                                                                                                           : 0u);
        if (points != nullptr)
        {
            LILV_FOREACH(scale_points, i, points)
            {
                const LilvScalePoint* point = lilv_scale_points_get(points, i);
                char text[32] = {};
                formatParameterValue(
                    parameter.index,
                    normalisedValueForPlain(parameter.index, lilv_node_as_float(lilv_scale_point_get_value(point))),
                    text, sizeof(text));
                EXPECT_STREQ(lilv_node_as_string(lilv_scale_point_get_label(point)), text);
            }
            lilv_scale_points_free(points);
        }
        EXPECT_EQ(hasProperty(port, LV2_PORT_PROPS__notOnGUI), parameter.hidden());
        EXPECT_EQ(hasProperty(port, LV2_PORT_PROPS__notAutomatic), parameter.hidden());
    }
}

TEST(Lv2Description, StereoInAndOutALatencyReportAndOnlyWhatEveryHostGives)
{
    Lv2BundleWorld& world = lv2Bundle();
    ASSERT_NE(world.plugin(), nullptr);
    const LilvNode* audio = world.uri(LV2_CORE__AudioPort);
    const LilvNode* input = world.uri(LV2_CORE__InputPort);
    const LilvNode* output = world.uri(LV2_CORE__OutputPort);
    EXPECT_EQ(lilv_plugin_get_num_ports(world.plugin()), kParameterPorts + 5);
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(world.plugin(), audio, input, nullptr), 2u);
    EXPECT_EQ(lilv_plugin_get_num_ports_of_class(world.plugin(), audio, output, nullptr), 2u);

    ASSERT_TRUE(lilv_plugin_has_latency(world.plugin()));
    const LilvPort* latency =
        lilv_plugin_get_port_by_index(world.plugin(), lilv_plugin_get_latency_port_index(world.plugin()));
    EXPECT_TRUE(lilv_port_is_a(world.plugin(), latency, output));
    EXPECT_TRUE(hasProperty(latency, LV2_CORE__reportsLatency));

    // Hosts that offer no features at all (lv2apply) run it too.
    EXPECT_EQ(urisOf(lilv_plugin_get_required_features(world.plugin())), std::vector<std::string>{});
    std::vector<std::string> optional = urisOf(lilv_plugin_get_optional_features(world.plugin()));
    std::sort(optional.begin(), optional.end());
    EXPECT_EQ(optional, (std::vector<std::string>{LV2_URID__map, LV2_CORE__hardRTCapable}));
    EXPECT_TRUE(lilv_plugin_has_extension_data(world.plugin(), world.uri(LV2_STATE__interface)));
}

TEST(Lv2Description, EveryPortHasANameOfItsOwn)
{
    // Hosts list every port by its name, the hidden ones too.
    Lv2BundleWorld& world = lv2Bundle();
    ASSERT_NE(world.plugin(), nullptr);
    std::vector<std::string> names;
    for (std::uint32_t index = 0; index < lilv_plugin_get_num_ports(world.plugin()); ++index)
    {
        const std::string name =
            textOf(lilv_port_get_name(world.plugin(), lilv_plugin_get_port_by_index(world.plugin(), index)));
        EXPECT_FALSE(isBlank(name)) << "port " << index;
        EXPECT_EQ(std::find(names.begin(), names.end(), name), names.end()) << "port " << index << ": " << name;
        names.push_back(name);
    }
}
