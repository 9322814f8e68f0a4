#pragma once

#include "engine/ProgramRecord.h"

#include <cstdint>
#include <mutex>
#include <thread>

// What effGetChunk hands out: a copy of the program store that stays as it was until the
// same thread asks again. Each calling thread gets a slot of its own (the least recently
// used one when all are taken), so a host saving from two threads never copies a snapshot
// that the other call is overwriting. Fixed slots: no allocation on a save.
class ChunkSnapshots
{
public:
    // Copies `store` into the calling thread's slot while `storeLock` is held (so a chunk
    // load is never half in it) and answers the copy.
    ProgramStore& take(const ProgramStore& store, std::mutex& storeLock);

private:
    static constexpr int kSlots = 4;

    struct Slot
    {
        std::thread::id owner{};
        std::uint64_t lastUse = 0;
        ProgramStore store{};
    };

    Slot& slotForThisThread();

    std::mutex slotsMutex;
    std::uint64_t calls = 0;
    Slot slots[kSlots];
};
