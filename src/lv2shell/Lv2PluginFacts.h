#pragma once

#include "params/ParameterTable.h"
#include "params/PlainValues.h"

#include <cstdint>

// What the LV2 plug-in's description (written at build time, tools/lv2gen) and its binary
// must agree on beyond the parameter and identity records: the ports after the parameters,
// the binaries' file names, the UI's URI and the one state property.
namespace lv2_facts
{

// Ports 0..41 are the parameters by their index; then the audio and the latency report.
enum PortIndex : std::uint32_t
{
    kAudioInLeft = kNumParameters,
    kAudioInRight,
    kAudioOutLeft,
    kAudioOutRight,
    kLatency,
    kPortCount,
};

struct AudioPortFacts
{
    std::uint32_t index;
    const char* symbol;
    const char* name;
    bool isInput;
};

inline constexpr AudioPortFacts kAudioPorts[] = {
    {kAudioInLeft, "in_left", "In Left", true},
    {kAudioInRight, "in_right", "In Right", true},
    {kAudioOutLeft, "out_left", "Out Left", false},
    {kAudioOutRight, "out_right", "Out Right", false},
};

inline constexpr char kLatencySymbol[] = "latency";
inline constexpr char kLatencyName[] = "Latency";

inline constexpr char kBundleName[] = "vantor-pro.lv2";
inline constexpr char kBinaryName[] = "vantor-pro.so";
// The editor: an X11 UI in a binary of its own, under the plug-in's URI with this fragment,
// and its skin in the bundle's folder of this name.
inline constexpr char kUiBinaryName[] = "vantor-pro-ui.so";
inline constexpr char kUiUriFragment[] = "#ui";
inline constexpr char kSkinFolderName[] = "Skin";

// A parameter port's name: the parameter's, but LV2 hosts list every port by name, hidden ones
// too, so the one VST 2.4 leaves blank on purpose (a reserved slot of the program, carried
// but unused) is named here.
inline const char* portNameOf(int index)
{
    return index == kParamUnnamed ? "Reserved" : kParameterTable[index].name;
}

// A parameter port's value as the effect takes it: ports carry values in the user's units
// (PlainValues.h), and LV2 reads a toggle as on above zero, the effect's on is 1.
inline float effectValueOfPort(int index, float portValue)
{
    if (kParameterTable[index].stepCount == 1)
        return portValue > 0.0f ? 1.0f : 0.0f;
    return normalisedValueForPlain(index, portValue);
}

// What a parameter port carries for the effect's value.
inline float portValueOf(int index, float effectValue)
{
    return plainValueFor(index, effectValue);
}

// The state's one property: the program chunk, under the plug-in's URI with this fragment.
inline constexpr char kProgramPropertyFragment[] = "#program";

}  // namespace lv2_facts
