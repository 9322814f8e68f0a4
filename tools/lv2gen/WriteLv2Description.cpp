// Writes the LV2 bundle's description from the records the plug-in itself is built from:
// manifest.ttl (the plug-in, its UI and its presets), vantor-pro.ttl (ports from the parameter
// record, identity, features, state) and presets.ttl (the factory presets, each as its port
// values and its program chunk). Run on the build machine.
//
//   write-lv2-description BUNDLE_FOLDER

#include "identity/EffectIdentity.h"
#include "lv2shell/Lv2PluginFacts.h"
#include "params/ParameterTable.h"
#include "params/PlainValues.h"
#include "presets/FactoryPresets.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <string>

namespace
{

const std::string kPluginUri = kEffectIdentity.lv2Uri;
const std::string kUiUri = kPluginUri + lv2_facts::kUiUriFragment;
constexpr char kDescriptionFile[] = "vantor-pro.ttl";
constexpr char kPresetsFile[] = "presets.ttl";

constexpr char kPrefixes[] = "@prefix atom: <http://lv2plug.in/ns/ext/atom#> .\n"
                             "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                             "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                             "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                             "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                             "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
                             "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                             "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                             "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                             "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                             "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                             "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                             "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n"
                             "@prefix xsd: <http://www.w3.org/2001/XMLSchema#> .\n\n";

std::string quoted(const std::string& text)
{
    std::string result = "\"";
    for (char c : text)
    {
        if (c == '"' || c == '\\')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

// The shortest decimal that reads back as the same float, always with a point, so Turtle
// takes it as a decimal and a host gets exactly the value the other formats use.
std::string decimal(float value)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof(text), value, std::chars_format::fixed).ptr;
    std::string result(text, end);
    if (result.find('.') == std::string::npos)
        result += ".0";
    return result;
}

std::string base64(std::span<const std::uint8_t> bytes)
{
    constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3)
    {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < count ? bytes[i + k] : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            text += k <= count ? kAlphabet[(group >> (18 - 6 * k)) & 63u] : '=';
    }
    return text;
}

// A preset's URI: the plug-in's, then its name in lower case with dashes.
std::string presetUri(const char* name)
{
    std::string slug;
    for (const char* c = name; *c != '\0'; ++c)
    {
        const char lower = (*c >= 'A' && *c <= 'Z') ? static_cast<char>(*c - 'A' + 'a') : *c;
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9'))
            slug += lower;
        else if (!slug.empty() && slug.back() != '-')
            slug += '-';
    }
    while (!slug.empty() && slug.back() == '-')
        slug.pop_back();
    return kPluginUri + "/presets/" + slug;
}

std::string manifest()
{
    std::ostringstream out;
    out << kPrefixes;
    out << "<" << kPluginUri << ">\n    a lv2:Plugin ;\n    lv2:binary <" << lv2_facts::kBinaryName
        << "> ;\n    rdfs:seeAlso <" << kDescriptionFile << "> .\n";
    // The editor, embedded in the host's window and driven by its idle calls; the live
    // displays read the DSP instance where the host offers instance-access.
    out << "\n<" << kUiUri << ">\n    a ui:X11UI ;\n    ui:binary <" << lv2_facts::kUiBinaryName
        << "> ;\n    lv2:requiredFeature ui:idleInterface , ui:parent ;\n"
           "    lv2:optionalFeature ui:resize , ui:touch , ui:noUserResize , opts:options , urid:map ,\n"
           "        <http://lv2plug.in/ns/ext/instance-access> ;\n"
           "    opts:supportedOption ui:scaleFactor ;\n    lv2:extensionData ui:idleInterface .\n";
    for (const FactoryPresetDefinition& preset : factoryPresets())
    {
        out << "\n<" << presetUri(preset.name) << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri
            << "> ;\n    rdfs:seeAlso <" << kPresetsFile << "> .\n";
    }
    return out.str();
}

// The LV2 unit of a port in the user's units.
const char* unitTermOf(int index)
{
    const std::string unit = plainUnitOf(index);
    if (unit == "%")
        return "units:pc";
    if (unit == "dB")
        return "units:db";
    return nullptr;
}

void writeScalePoint(std::ostringstream& out, const char* label, float value)
{
    out << " ;\n        lv2:scalePoint [ rdfs:label " << quoted(label) << " ; rdf:value " << decimal(value) << " ]";
}

// What a host's generic controls can use beyond the range: the unit, the switch and its
// words, the count's whole steps, Gain's silence, and the housekeeping
// values kept off screens and automation.
void writePortProperties(std::ostringstream& out, const ParameterDescriptor& parameter)
{
    const int index = parameter.index;
    if (const char* unit = unitTermOf(index))
        out << " ;\n        units:unit " << unit;
    if (parameter.stepCount == 1)
    {
        out << " ;\n        lv2:portProperty lv2:toggled";
        writeScalePoint(out, "off", 0.0f);
        writeScalePoint(out, "on", 1.0f);
    }
    if (parameter.stepCount > 1)
        out << " ;\n        lv2:portProperty lv2:integer ;\n        pprops:rangeSteps " << parameter.stepCount + 1;
    if (parameter.plainScale == PlainScale::GainDecibels)
        writeScalePoint(out, "-inf.", plainRangeOf(index).minimum);
    if (parameter.hidden())
        out << " ;\n        lv2:portProperty pprops:notOnGUI , pprops:notAutomatic";
}

// Values in the user's units: the shell maps them to the normalised values the effect keeps.
void writeParameterPort(std::ostringstream& out, const ParameterDescriptor& parameter)
{
    const PlainRange range = plainRangeOf(parameter.index);
    out << "    [\n        a lv2:InputPort , lv2:ControlPort ;\n        lv2:index " << parameter.index
        << " ;\n        lv2:symbol " << quoted(parameter.symbol) << " ;\n        lv2:name "
        << quoted(lv2_facts::portNameOf(parameter.index)) << " ;\n        lv2:default "
        << decimal(lv2_facts::portValueOf(parameter.index, parameter.defaultValue)) << " ;\n        lv2:minimum "
        << decimal(range.minimum) << " ;\n        lv2:maximum " << decimal(range.maximum);
    writePortProperties(out, parameter);
    out << "\n    ] ,\n";
}

std::string description()
{
    const std::string version = kEffectIdentity.versionText;
    const std::size_t firstDot = version.find('.');
    const std::size_t secondDot = version.find('.', firstDot + 1);
    std::ostringstream out;
    out << kPrefixes;
    out << "<" << kPluginUri << ">\n    a lv2:Plugin , lv2:SpatialPlugin , doap:Project ;\n    doap:name "
        << quoted(kEffectIdentity.product) << " ;\n    doap:maintainer [ foaf:name " << quoted(kEffectIdentity.vendor)
        << " ] ;\n    rdfs:comment " << quoted(kEffectIdentity.description) << " ;\n    lv2:minorVersion "
        << version.substr(firstDot + 1, secondDot - firstDot - 1) << " ;\n    lv2:microVersion "
        << version.substr(secondDot + 1)
        << " ;\n    lv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
           "    lv2:extensionData state:interface ;\n    ui:ui <"
        << kUiUri << "> ;\n    lv2:port\n";
    for (const ParameterDescriptor& parameter : kParameterTable)
        writeParameterPort(out, parameter);
    for (const lv2_facts::AudioPortFacts& port : lv2_facts::kAudioPorts)
    {
        out << "    [\n        a lv2:AudioPort , " << (port.isInput ? "lv2:InputPort" : "lv2:OutputPort")
            << " ;\n        lv2:index " << port.index << " ;\n        lv2:symbol " << quoted(port.symbol)
            << " ;\n        lv2:name " << quoted(port.name) << "\n    ] ,\n";
    }
    out << "    [\n        a lv2:OutputPort , lv2:ControlPort ;\n        lv2:index " << lv2_facts::kLatency
        << " ;\n        lv2:symbol " << quoted(lv2_facts::kLatencySymbol) << " ;\n        lv2:name "
        << quoted(lv2_facts::kLatencyName)
        << " ;\n        lv2:designation lv2:latency ;\n"
           "        lv2:portProperty lv2:reportsLatency , lv2:integer ;\n        units:unit units:frame\n    ] .\n";
    out << "\n<" << kPluginUri << lv2_facts::kProgramPropertyFragment
        << ">\n    a rdf:Property ;\n    rdfs:label \"program\" ;\n"
           "    rdfs:comment \"The program chunk, as the VST 2.4 module saves it.\" ;\n"
           "    rdfs:range atom:Chunk .\n";
    return out.str();
}

std::string presets()
{
    std::ostringstream out;
    out << kPrefixes;
    for (const FactoryPresetDefinition& preset : factoryPresets())
    {
        const ProgramChunk chunk = factoryChunk(preset);
        const std::array<float, kNumParameters> values = parameterValuesOf(chunk);
        out << "<" << presetUri(preset.name) << ">\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri
            << "> ;\n    rdfs:label " << quoted(preset.name) << " ;\n    rdfs:comment " << quoted(preset.description)
            << " ;\n    lv2:port";
        for (int i = 0; i < kNumParameters; ++i)
        {
            out << (i == 0 ? " [\n" : " , [\n") << "        lv2:symbol " << quoted(kParameterTable[i].symbol)
                << " ;\n        pset:value " << decimal(lv2_facts::portValueOf(i, values[static_cast<std::size_t>(i)]))
                << "\n    ]";
        }
        out << " ;\n    state:state [\n        <" << kPluginUri << lv2_facts::kProgramPropertyFragment << "> "
            << quoted(base64(chunk)) << "^^xsd:base64Binary\n    ] .\n\n";
    }
    return out.str();
}

bool writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file)
        std::fprintf(stderr, "write-lv2-description: cannot write %s\n", path.string().c_str());
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: write-lv2-description BUNDLE_FOLDER\n");
        return 2;
    }
    const std::filesystem::path bundle = argv[1];
    std::error_code error;
    std::filesystem::create_directories(bundle, error);
    if (error)
    {
        std::fprintf(stderr, "write-lv2-description: cannot make %s\n", bundle.string().c_str());
        return 1;
    }
    const bool written = writeFile(bundle / "manifest.ttl", manifest()) &&
                         writeFile(bundle / kDescriptionFile, description()) &&
                         writeFile(bundle / kPresetsFile, presets());
    return written ? 0 : 1;
}
