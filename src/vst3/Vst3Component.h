#pragma once

// The component: the processing half of an effect as the host sets it up. Its buses (audio
// or event, in or out), how they route, which controller class edits it, activation, and its
// state.

#include "vst3/Vst3PluginFactory.h"
#include "vst3/Vst3Stream.h"
#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

constexpr MediaType kAudio = 0;
constexpr MediaType kEvent = 1;

constexpr BusDirection kInput = 0;
constexpr BusDirection kOutput = 1;

constexpr BusType kMain = 0;
constexpr BusType kAux = 1;  // a side chain

// IComponent::setIoMode, before initialize; the first two concern instruments only.
constexpr IoMode kSimple = 0;
constexpr IoMode kAdvanced = 1;
constexpr IoMode kOfflineProcessing = 2;

struct BusInfo
{
    static constexpr std::uint32_t kDefaultActive = 1 << 0;  // the host should activate it at once
    static constexpr std::uint32_t kIsControlVoltage = 1 << 1;

    MediaType mediaType;
    BusDirection direction;
    std::int32_t channelCount;
    String128 name;
    BusType busType;
    std::uint32_t flags;
};

// Which output an input feeds; channel -1 means all of them.
struct RoutingInfo
{
    MediaType mediaType;
    std::int32_t busIndex;
    std::int32_t channel;
};

struct IComponentVtable
{
    IPluginBaseVtable pluginBase;
    tresult (*getControllerClassId)(void* self, Tuid* classId);
    tresult (*setIoMode)(void* self, IoMode mode);
    std::int32_t (*getBusCount)(void* self, MediaType type, BusDirection direction);
    tresult (*getBusInfo)(void* self, MediaType type, BusDirection direction, std::int32_t index, BusInfo* bus);
    tresult (*getRoutingInfo)(void* self, RoutingInfo* input, RoutingInfo* output);
    tresult (*activateBus)(void* self, MediaType type, BusDirection direction, std::int32_t index, TBool state);
    tresult (*setActive)(void* self, TBool state);
    tresult (*setState)(void* self, IBStream* state);
    tresult (*getState)(void* self, IBStream* state);
};

struct IComponent
{
    const IComponentVtable* vtable;
};

constexpr Tuid kIComponentIid = makeTuid(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);

static_assert(sizeof(BusInfo) == 276 && offsetof(BusInfo, channelCount) == 8 && offsetof(BusInfo, name) == 12);
static_assert(offsetof(BusInfo, busType) == 268 && offsetof(BusInfo, flags) == 272);
static_assert(sizeof(RoutingInfo) == 12 && offsetof(RoutingInfo, channel) == 8);
static_assert(offsetof(IComponentVtable, getControllerClassId) == slotOffset(5));
static_assert(offsetof(IComponentVtable, getBusInfo) == slotOffset(8));
static_assert(offsetof(IComponentVtable, setActive) == slotOffset(11));
static_assert(sizeof(IComponentVtable) == slotOffset(14) && offsetof(IComponentVtable, getState) == slotOffset(13));

}  // namespace vst3
