#pragma once

// The host context a plug-in gets in initialize, and the messages separate components
// exchange through their connection points (which a host makes with createInstance). Enough
// for a host to answer what it offers and for a plug-in to refuse what it does not take.

#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

struct IAttributeList;
struct IConnectionPoint;

struct IHostApplicationVtable
{
    FUnknownVtable unknown;
    tresult (*getName)(void* self, TChar* name);  // a String128
    // A host object (a message, an attribute list) with one reference for the caller.
    tresult (*createInstance)(void* self, const Tuid* classId, const Tuid* iid, void** object);
};

struct IHostApplication
{
    const IHostApplicationVtable* vtable;
};

using AttributeId = const char*;

struct IAttributeListVtable
{
    FUnknownVtable unknown;
    tresult (*setInt)(void* self, AttributeId id, std::int64_t value);
    tresult (*getInt)(void* self, AttributeId id, std::int64_t* value);
    tresult (*setFloat)(void* self, AttributeId id, double value);
    tresult (*getFloat)(void* self, AttributeId id, double* value);
    tresult (*setString)(void* self, AttributeId id, const TChar* text);
    tresult (*getString)(void* self, AttributeId id, TChar* text, std::uint32_t sizeInBytes);
    tresult (*setBinary)(void* self, AttributeId id, const void* data, std::uint32_t sizeInBytes);
    tresult (*getBinary)(void* self, AttributeId id, const void** data, std::uint32_t* sizeInBytes);
};

struct IAttributeList
{
    const IAttributeListVtable* vtable;
};

struct IMessageVtable
{
    FUnknownVtable unknown;
    FIDString (*getMessageId)(void* self);
    void (*setMessageId)(void* self, FIDString id);
    IAttributeList* (*getAttributes)(void* self);
};

struct IMessage
{
    const IMessageVtable* vtable;
};

struct IConnectionPointVtable
{
    FUnknownVtable unknown;
    tresult (*connect)(void* self, IConnectionPoint* other);
    tresult (*disconnect)(void* self, IConnectionPoint* other);
    tresult (*notify)(void* self, IMessage* message);
};

struct IConnectionPoint
{
    const IConnectionPointVtable* vtable;
};

constexpr Tuid kIHostApplicationIid = makeTuid(0x58E595CC, 0xDB2D4969, 0x8B6AAF8C, 0x36A664E5);
constexpr Tuid kIAttributeListIid = makeTuid(0x1E5F0AEB, 0xCC7F4533, 0xA2544011, 0x38AD5EE4);
constexpr Tuid kIMessageIid = makeTuid(0x936F033B, 0xC6C047DB, 0xBB0882F8, 0x13C1E613);
constexpr Tuid kIConnectionPointIid = makeTuid(0x70A4156F, 0x6E6E4026, 0x989148BF, 0xAA60D8D1);

static_assert(sizeof(IHostApplicationVtable) == slotOffset(5));
static_assert(offsetof(IHostApplicationVtable, createInstance) == slotOffset(4));
static_assert(offsetof(IAttributeListVtable, setInt) == slotOffset(3));
static_assert(offsetof(IAttributeListVtable, setString) == slotOffset(7));
static_assert(sizeof(IAttributeListVtable) == slotOffset(11));
static_assert(sizeof(IMessageVtable) == slotOffset(6) && offsetof(IMessageVtable, getAttributes) == slotOffset(5));
static_assert(sizeof(IConnectionPointVtable) == slotOffset(6));
static_assert(offsetof(IConnectionPointVtable, notify) == slotOffset(5));

}  // namespace vst3
