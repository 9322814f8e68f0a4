#include "shell/ChunkSnapshots.h"

#include "shell/StateChunks.h"

ProgramStore& ChunkSnapshots::take(const ProgramStore& store, std::mutex& storeLock)
{
    std::lock_guard<std::mutex> slotsLock(slotsMutex);
    Slot& slot = slotForThisThread();
    slot.lastUse = ++calls;
    std::lock_guard<std::mutex> lock(storeLock);
    copyStore(store, slot.store);
    return slot.store;
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
