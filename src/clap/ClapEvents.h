#pragma once

// CLAP events: the common header, the parameter events the effect sends and receives, and
// the two event lists of a process or flush call. Any event is `size` bytes that may be
// copied as they are, starting at its header.

#include "clap/ClapCore.h"

#include <cstddef>
#include <cstdint>

namespace clap
{

struct EventHeader
{
    std::uint32_t size;  // of the whole event, this header included
    std::uint32_t time;  // sample offset within the block
    std::uint16_t spaceId;
    std::uint16_t type;
    std::uint32_t flags;
};

// The types below belong to this space; events of other spaces are skipped.
constexpr std::uint16_t kCoreEventSpaceId = 0;

// EventHeader::flags
constexpr std::uint32_t kEventIsLive = 1u << 0;
constexpr std::uint32_t kEventDontRecord = 1u << 1;

// EventHeader::type in the core space (notes and MIDI are of no use to this effect).
constexpr std::uint16_t kEventParamValue = 5;
constexpr std::uint16_t kEventParamMod = 6;
constexpr std::uint16_t kEventParamGestureBegin = 7;
constexpr std::uint16_t kEventParamGestureEnd = 8;

// A value event for a parameter; note, port, channel and key are -1 for "all".
struct EventParamValue
{
    EventHeader header;
    Id paramId;
    void* cookie;  // ParamInfo::cookie as the plug-in gave it, or null
    std::int32_t noteId;
    std::int16_t portIndex;
    std::int16_t channel;
    std::int16_t key;
    double value;
};

// A modulation offset added to a parameter's value; same addressing as EventParamValue.
struct EventParamMod
{
    EventHeader header;
    Id paramId;
    void* cookie;
    std::int32_t noteId;
    std::int16_t portIndex;
    std::int16_t channel;
    std::int16_t key;
    double amount;
};

// Begin or end of a user's edit of one parameter.
struct EventParamGesture
{
    EventHeader header;
    Id paramId;
};

// What the host hands in, sorted by time; the list keeps ownership of its events.
struct InputEvents
{
    void* ctx;
    std::uint32_t (*size)(const InputEvents* list);
    const EventHeader* (*get)(const InputEvents* list, std::uint32_t index);
};

// Where the plug-in puts its events, in time order; the host copies each one.
struct OutputEvents
{
    void* ctx;
    bool (*tryPush)(const OutputEvents* list, const EventHeader* event);
};

static_assert(sizeof(EventHeader) == 16 && alignof(EventHeader) == 4);
static_assert(offsetof(EventHeader, time) == 4 && offsetof(EventHeader, spaceId) == 8);
static_assert(offsetof(EventHeader, type) == 10 && offsetof(EventHeader, flags) == 12);
static_assert(sizeof(EventParamValue) == 56);
static_assert(offsetof(EventParamValue, paramId) == 16 && offsetof(EventParamValue, cookie) == 24);
static_assert(offsetof(EventParamValue, noteId) == 32 && offsetof(EventParamValue, portIndex) == 36);
static_assert(offsetof(EventParamValue, channel) == 38 && offsetof(EventParamValue, key) == 40);
static_assert(offsetof(EventParamValue, value) == 48);
static_assert(sizeof(EventParamMod) == 56 && offsetof(EventParamMod, amount) == 48);
static_assert(sizeof(EventParamGesture) == 20 && offsetof(EventParamGesture, paramId) == 16);
static_assert(sizeof(InputEvents) == 24 && offsetof(InputEvents, size) == 8 && offsetof(InputEvents, get) == 16);
static_assert(sizeof(OutputEvents) == 16 && offsetof(OutputEvents, tryPush) == 8);

}  // namespace clap
