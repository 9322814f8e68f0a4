#pragma once

// Parameter changes of one process call, in either direction: one queue per changed
// parameter, each holding points (sample offset within the block, normalised value) that
// the receiver joins with straight lines.

#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

struct IParamValueQueueVtable
{
    FUnknownVtable unknown;
    ParamId (*getParameterId)(void* self);
    std::int32_t (*getPointCount)(void* self);
    tresult (*getPoint)(void* self, std::int32_t index, std::int32_t* sampleOffset, ParamValue* value);
    tresult (*addPoint)(void* self, std::int32_t sampleOffset, ParamValue value, std::int32_t* index);
};

struct IParamValueQueue
{
    const IParamValueQueueVtable* vtable;
};

// The queues are lent for the call: getParameterData and addParameterData add no reference.
struct IParameterChangesVtable
{
    FUnknownVtable unknown;
    std::int32_t (*getParameterCount)(void* self);
    IParamValueQueue* (*getParameterData)(void* self, std::int32_t index);
    // The parameter's queue, made when it has none yet; null when the list is full.
    IParamValueQueue* (*addParameterData)(void* self, const ParamId* id, std::int32_t* index);
};

struct IParameterChanges
{
    const IParameterChangesVtable* vtable;
};

constexpr Tuid kIParamValueQueueIid = makeTuid(0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA);
constexpr Tuid kIParameterChangesIid = makeTuid(0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D);

static_assert(offsetof(IParamValueQueueVtable, getParameterId) == slotOffset(3));
static_assert(sizeof(IParamValueQueueVtable) == slotOffset(7) &&
              offsetof(IParamValueQueueVtable, addPoint) == slotOffset(6));
static_assert(offsetof(IParameterChangesVtable, getParameterCount) == slotOffset(3));
static_assert(sizeof(IParameterChangesVtable) == slotOffset(6));
static_assert(offsetof(IParameterChangesVtable, addParameterData) == slotOffset(5));

}  // namespace vst3
