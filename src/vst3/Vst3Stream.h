#pragma once

// The byte stream a host hands over for saving and loading state: one position for reading
// and writing alike, which seek moves and tell reports.

#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

// IBStream::seek's mode: where the position is counted from.
constexpr std::int32_t kIBSeekSet = 0;
constexpr std::int32_t kIBSeekCur = 1;
constexpr std::int32_t kIBSeekEnd = 2;

struct IBStreamVtable
{
    FUnknownVtable unknown;
    // The count pointers may be null; a read near the end moves fewer bytes than asked.
    tresult (*read)(void* self, void* buffer, std::int32_t byteCount, std::int32_t* bytesRead);
    tresult (*write)(void* self, const void* buffer, std::int32_t byteCount, std::int32_t* bytesWritten);
    tresult (*seek)(void* self, std::int64_t position, std::int32_t mode, std::int64_t* newPosition);
    tresult (*tell)(void* self, std::int64_t* position);
};

struct IBStream
{
    const IBStreamVtable* vtable;
};

constexpr Tuid kIBStreamIid = makeTuid(0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B);

static_assert(offsetof(IBStreamVtable, read) == slotOffset(3) && offsetof(IBStreamVtable, seek) == slotOffset(5));
static_assert(sizeof(IBStreamVtable) == slotOffset(7) && offsetof(IBStreamVtable, tell) == slotOffset(6));

}  // namespace vst3
