#pragma once

// The edit controller: the parameter half of an effect (its parameters, their texts, its
// editor view), and the component handler, through which it tells the host about the user's
// edits and about changes the host must act on.

#include "vst3/Vst3PluginFactory.h"
#include "vst3/Vst3Stream.h"
#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

struct IPlugView;

// The unit every parameter of a plug-in without units belongs to.
constexpr UnitId kRootUnitId = 0;

// IEditController::createView's name for the editor.
constexpr char kViewTypeEditor[] = "editor";

struct ParameterInfo
{
    static constexpr std::int32_t kNoFlags = 0;
    static constexpr std::int32_t kCanAutomate = 1 << 0;
    static constexpr std::int32_t kIsReadOnly = 1 << 1;
    static constexpr std::int32_t kIsWrapAround = 1 << 2;
    static constexpr std::int32_t kIsList = 1 << 3;  // the host may show the value texts as a list
    static constexpr std::int32_t kIsHidden = 1 << 4;
    static constexpr std::int32_t kIsProgramChange = 1 << 15;
    static constexpr std::int32_t kIsBypass = 1 << 16;

    ParamId id;
    String128 title;
    String128 shortTitle;
    String128 units;
    std::int32_t stepCount;  // 0: continuous, 1: a switch, n: n + 1 values
    ParamValue defaultNormalizedValue;
    UnitId unitId;
    std::int32_t flags;
};

// IComponentHandler::restartComponent's flags: what the host must read again.
constexpr std::int32_t kReloadComponent = 1 << 0;
constexpr std::int32_t kIoChanged = 1 << 1;
constexpr std::int32_t kParamValuesChanged = 1 << 2;
constexpr std::int32_t kLatencyChanged = 1 << 3;
constexpr std::int32_t kParamTitlesChanged = 1 << 4;
constexpr std::int32_t kMidiCcAssignmentChanged = 1 << 5;
constexpr std::int32_t kNoteExpressionChanged = 1 << 6;
constexpr std::int32_t kIoTitlesChanged = 1 << 7;
constexpr std::int32_t kPrefetchableSupportChanged = 1 << 8;
constexpr std::int32_t kRoutingInfoChanged = 1 << 9;
constexpr std::int32_t kKeyswitchChanged = 1 << 10;
constexpr std::int32_t kParamIdMappingChanged = 1 << 11;

// Called by the controller on the UI thread: each edit of the user's is a beginEdit, any
// number of performEdits and an endEdit, for one parameter.
struct IComponentHandlerVtable
{
    FUnknownVtable unknown;
    tresult (*beginEdit)(void* self, ParamId id);
    tresult (*performEdit)(void* self, ParamId id, ParamValue normalizedValue);
    tresult (*endEdit)(void* self, ParamId id);
    tresult (*restartComponent)(void* self, std::int32_t flags);
};

struct IComponentHandler
{
    const IComponentHandlerVtable* vtable;
};

struct IEditControllerVtable
{
    IPluginBaseVtable pluginBase;
    // The component's state, as the component's getState wrote it, for the controller to follow.
    tresult (*setComponentState)(void* self, IBStream* state);
    tresult (*setState)(void* self, IBStream* state);
    tresult (*getState)(void* self, IBStream* state);
    std::int32_t (*getParameterCount)(void* self);
    tresult (*getParameterInfo)(void* self, std::int32_t index, ParameterInfo* info);
    tresult (*getParamStringByValue)(void* self, ParamId id, ParamValue normalizedValue, TChar* text);
    tresult (*getParamValueByString)(void* self, ParamId id, TChar* text, ParamValue* normalizedValue);
    ParamValue (*normalizedParamToPlain)(void* self, ParamId id, ParamValue normalizedValue);
    ParamValue (*plainParamToNormalized)(void* self, ParamId id, ParamValue plainValue);
    ParamValue (*getParamNormalized)(void* self, ParamId id);
    tresult (*setParamNormalized)(void* self, ParamId id, ParamValue normalizedValue);
    tresult (*setComponentHandler)(void* self, IComponentHandler* handler);
    // A new view with one reference for the host, or null.
    IPlugView* (*createView)(void* self, FIDString name);
};

struct IEditController
{
    const IEditControllerVtable* vtable;
};

constexpr Tuid kIComponentHandlerIid = makeTuid(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
constexpr Tuid kIEditControllerIid = makeTuid(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);

static_assert(sizeof(ParameterInfo) == 792 && offsetof(ParameterInfo, title) == 4);
static_assert(offsetof(ParameterInfo, shortTitle) == 260 && offsetof(ParameterInfo, units) == 516);
static_assert(offsetof(ParameterInfo, stepCount) == 772 && offsetof(ParameterInfo, defaultNormalizedValue) == 776);
static_assert(offsetof(ParameterInfo, unitId) == 784 && offsetof(ParameterInfo, flags) == 788);
static_assert(offsetof(IComponentHandlerVtable, beginEdit) == slotOffset(3));
static_assert(sizeof(IComponentHandlerVtable) == slotOffset(7));
static_assert(offsetof(IComponentHandlerVtable, restartComponent) == slotOffset(6));
static_assert(offsetof(IEditControllerVtable, setComponentState) == slotOffset(5));
static_assert(offsetof(IEditControllerVtable, getParameterInfo) == slotOffset(9));
static_assert(offsetof(IEditControllerVtable, normalizedParamToPlain) == slotOffset(12));
static_assert(offsetof(IEditControllerVtable, setComponentHandler) == slotOffset(16));
static_assert(sizeof(IEditControllerVtable) == slotOffset(18));

}  // namespace vst3
