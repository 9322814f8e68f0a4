#pragma once

#include "engine/ProgramRecord.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

// What effGetChunk hands out: a copy of the program store that stays as it was until the
// same thread asks again. Each calling thread gets a slot of its own (the least recently
// used one when all are taken), so a host saving from two threads never copies a snapshot
// that the other call is overwriting. A slot's store is allocated at its first save only.
class ChunkSnapshots
{
public:
    // Copies `store` into the calling thread's slot while `storeLock` is held (so a chunk
    // load is never half in it) and answers the copy; null when memory ran out.
    ProgramStore* take(const ProgramStore& store, std::mutex& storeLock);

private:
    static constexpr int kSlots = 4;

    struct Slot
    {
        std::thread::id owner{};
        std::uint64_t lastUse = 0;
        std::unique_ptr<ProgramStore> store;
    };

    Slot& slotForThisThread();

    std::mutex slotsMutex;
    std::uint64_t calls = 0;
    Slot slots[kSlots];
};
