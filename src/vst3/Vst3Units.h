#pragma once

// IUnitInfo: how an edit controller describes its units and the program lists they use, so
// a host can show the programs in its own preset menu and pick one through the unit's
// program-change parameter.

#include "vst3/Vst3Stream.h"
#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

using ProgramListId = std::int32_t;

constexpr UnitId kNoParentUnitId = -1;
constexpr ProgramListId kNoProgramListId = -1;

struct UnitInfo
{
    UnitId id;
    UnitId parentUnitId;
    String128 name;
    ProgramListId programListId;
};

struct ProgramListInfo
{
    ProgramListId id;
    String128 name;
    std::int32_t programCount;
};

struct IUnitInfoVtable
{
    FUnknownVtable unknown;
    std::int32_t (*getUnitCount)(void* self);
    tresult (*getUnitInfo)(void* self, std::int32_t unitIndex, UnitInfo* info);
    std::int32_t (*getProgramListCount)(void* self);
    tresult (*getProgramListInfo)(void* self, std::int32_t listIndex, ProgramListInfo* info);
    tresult (*getProgramName)(void* self, ProgramListId listId, std::int32_t programIndex, TChar* name);
    tresult (*getProgramInfo)(void* self, ProgramListId listId, std::int32_t programIndex, const char* attributeId,
                              TChar* attributeValue);
    tresult (*hasProgramPitchNames)(void* self, ProgramListId listId, std::int32_t programIndex);
    tresult (*getProgramPitchName)(void* self, ProgramListId listId, std::int32_t programIndex, std::int16_t midiPitch,
                                   TChar* name);
    UnitId (*getSelectedUnit)(void* self);
    tresult (*selectUnit)(void* self, UnitId unitId);
    tresult (*getUnitByBus)(void* self, MediaType type, BusDirection direction, std::int32_t busIndex,
                            std::int32_t channel, UnitId* unitId);
    tresult (*setUnitProgramData)(void* self, std::int32_t listOrUnitId, std::int32_t programIndex, IBStream* data);
};

struct IUnitInfo
{
    const IUnitInfoVtable* vtable;
};

constexpr Tuid kIUnitInfoIid = makeTuid(0x3D4BD6B5, 0x913A4FD2, 0xA886E768, 0xA5EB92C1);

static_assert(sizeof(UnitInfo) == 268 && offsetof(UnitInfo, name) == 8 && offsetof(UnitInfo, programListId) == 264);
static_assert(sizeof(ProgramListInfo) == 264 && offsetof(ProgramListInfo, programCount) == 260);
static_assert(offsetof(IUnitInfoVtable, getUnitCount) == slotOffset(3));
static_assert(offsetof(IUnitInfoVtable, getProgramName) == slotOffset(7));
static_assert(sizeof(IUnitInfoVtable) == slotOffset(15));

}  // namespace vst3
