#pragma once

// The params extension: the plug-in's parameters as plain values with ranges, texts and
// stable ids, and what the host offers back (rescans, clearing, flush requests).

#include "clap/ClapCore.h"
#include "clap/ClapEvents.h"

#include <cstddef>
#include <cstdint>

namespace clap
{

constexpr char kExtParams[] = "clap.params";

// ParamInfo::flags
using ParamInfoFlags = std::uint32_t;
constexpr ParamInfoFlags kParamIsStepped = 1u << 0;
constexpr ParamInfoFlags kParamIsPeriodic = 1u << 1;
constexpr ParamInfoFlags kParamIsHidden = 1u << 2;
constexpr ParamInfoFlags kParamIsReadonly = 1u << 3;
constexpr ParamInfoFlags kParamIsBypass = 1u << 4;
constexpr ParamInfoFlags kParamIsAutomatable = 1u << 5;
constexpr ParamInfoFlags kParamIsAutomatablePerNoteId = 1u << 6;
constexpr ParamInfoFlags kParamIsAutomatablePerKey = 1u << 7;
constexpr ParamInfoFlags kParamIsAutomatablePerChannel = 1u << 8;
constexpr ParamInfoFlags kParamIsAutomatablePerPort = 1u << 9;
constexpr ParamInfoFlags kParamIsModulatable = 1u << 10;
constexpr ParamInfoFlags kParamIsModulatablePerNoteId = 1u << 11;
constexpr ParamInfoFlags kParamIsModulatablePerKey = 1u << 12;
constexpr ParamInfoFlags kParamIsModulatablePerChannel = 1u << 13;
constexpr ParamInfoFlags kParamIsModulatablePerPort = 1u << 14;
constexpr ParamInfoFlags kParamRequiresProcess = 1u << 15;
constexpr ParamInfoFlags kParamIsEnum = 1u << 16;

struct ParamInfo
{
    Id id;  // stable for the life of the plug-in, saved in host projects
    ParamInfoFlags flags;
    void* cookie;  // returned in events for this parameter, or null
    char name[kNameSize];
    char module[kPathSize];  // '/'-separated group path
    double minValue;
    double maxValue;
    double defaultValue;
};

struct PluginParams
{
    std::uint32_t (*count)(const Plugin* plugin);
    bool (*getInfo)(const Plugin* plugin, std::uint32_t paramIndex, ParamInfo* paramInfo);
    bool (*getValue)(const Plugin* plugin, Id paramId, double* outValue);
    bool (*valueToText)(const Plugin* plugin, Id paramId, double value, char* outBuffer,
                        std::uint32_t outBufferCapacity);
    bool (*textToValue)(const Plugin* plugin, Id paramId, const char* paramValueText, double* outValue);
    // Takes and gives parameter events outside process(); never while process() runs.
    void (*flush)(const Plugin* plugin, const InputEvents* in, const OutputEvents* out);
};

// HostParams::rescan flags
using ParamRescanFlags = std::uint32_t;
constexpr ParamRescanFlags kParamRescanValues = 1u << 0;
constexpr ParamRescanFlags kParamRescanText = 1u << 1;
constexpr ParamRescanFlags kParamRescanInfo = 1u << 2;
constexpr ParamRescanFlags kParamRescanAll = 1u << 3;  // only while deactivated

// HostParams::clear flags
using ParamClearFlags = std::uint32_t;
constexpr ParamClearFlags kParamClearAll = 1u << 0;
constexpr ParamClearFlags kParamClearAutomations = 1u << 1;
constexpr ParamClearFlags kParamClearModulations = 1u << 2;

struct HostParams
{
    void (*rescan)(const Host* host, ParamRescanFlags flags);
    void (*clear)(const Host* host, Id paramId, ParamClearFlags flags);
    // Asks for a process() or flush() call soon; from any thread but the audio thread.
    void (*requestFlush)(const Host* host);
};

static_assert(sizeof(ParamInfo) == 1320);
static_assert(offsetof(ParamInfo, flags) == 4 && offsetof(ParamInfo, cookie) == 8);
static_assert(offsetof(ParamInfo, name) == 16 && offsetof(ParamInfo, module) == 272);
static_assert(offsetof(ParamInfo, minValue) == 1296 && offsetof(ParamInfo, maxValue) == 1304);
static_assert(offsetof(ParamInfo, defaultValue) == 1312);
static_assert(sizeof(PluginParams) == 48);
static_assert(offsetof(PluginParams, getValue) == 16 && offsetof(PluginParams, valueToText) == 24);
static_assert(offsetof(PluginParams, textToValue) == 32 && offsetof(PluginParams, flush) == 40);
static_assert(sizeof(HostParams) == 24 && offsetof(HostParams, requestFlush) == 16);

}  // namespace clap
