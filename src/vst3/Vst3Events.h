#pragma once

// Event lists (notes, sysex and the like), which a host may pass to process even to an effect
// without event buses. Declared only as far as taking such a list and leaving it alone: an
// event's own record stays opaque bytes.

#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

struct Event
{
    std::int32_t busIndex;
    std::int32_t sampleOffset;
    TQuarterNotes ppqPosition;
    std::uint16_t flags;
    std::uint16_t type;
    alignas(8) unsigned char payload[24];  // the record of this type of event
};

struct IEventListVtable
{
    FUnknownVtable unknown;
    std::int32_t (*getEventCount)(void* self);
    tresult (*getEvent)(void* self, std::int32_t index, Event* event);
    tresult (*addEvent)(void* self, Event* event);
};

struct IEventList
{
    const IEventListVtable* vtable;
};

constexpr Tuid kIEventListIid = makeTuid(0x3A2C4214, 0x346349FE, 0xB2C4F397, 0xB9695A44);

static_assert(sizeof(Event) == 48 && alignof(Event) == 8 && offsetof(Event, ppqPosition) == 8);
static_assert(offsetof(Event, flags) == 16 && offsetof(Event, type) == 18 && offsetof(Event, payload) == 24);
static_assert(sizeof(IEventListVtable) == slotOffset(6) && offsetof(IEventListVtable, addEvent) == slotOffset(5));

}  // namespace vst3
