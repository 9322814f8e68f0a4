#include "effect/ChunkSnapshots.h"

#include "effect/StateChunks.h"

#include <new>

ProgramStore* ChunkSnapshots::take(const ProgramStore& store, std::mutex& storeLock)
{
    std::lock_guard<std::mutex> slotsLock(slotsMutex);
    Slot& slot = slotForThisThread();
    slot.lastUse = ++calls;
    if (!slot.store)
        slot.store.reset(new (std::nothrow) ProgramStore{});
    if (!slot.store)
        return nullptr;
    std::lock_guard<std::mutex> lock(storeLock);
    copyStore(store, *slot.store);
    return slot.store.get();
}

ChunkSnapshots::Slot& ChunkSnapshots::slotForThisThread()
{
    const std::thread::id self = std::this_thread::get_id();
    Slot* oldest = &slots[0];
    for (Slot& slot : slots)
    {
        if (slot.owner == self)
            return slot;
        if (slot.lastUse < oldest->lastUse)
            oldest = &slot;
    }
    oldest->owner = self;
    return *oldest;
}
