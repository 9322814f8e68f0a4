#pragma once

#include "params/ParameterTable.h"

#include <atomic>
#include <cstdint>

// Carries parameter changes from any number of host or editor threads to the audio thread
// without locks or allocation. Each index has one slot holding its latest value, so several
// changes of one parameter before a block coalesce into the last one.
class ParameterChangeQueue
{
public:
    ParameterChangeQueue();

    // Any thread. Indices outside 0..41 are ignored.
    void Post(int index, float value);

    // Audio thread: hands every pending change to apply(index, value), in index order.
    template <typename Apply> void Drain(Apply&& apply)
    {
        std::uint64_t pending = pendingMask.exchange(0, std::memory_order_acquire);
        while (pending != 0)
        {
            const int index = lowestSetBit(pending);
            pending &= pending - 1;
            apply(index, latestValue[index].load(std::memory_order_relaxed));
        }
    }

    bool hasPending() const { return pendingMask.load(std::memory_order_acquire) != 0; }

private:
    static int lowestSetBit(std::uint64_t mask);

    std::atomic<float> latestValue[kNumParameters];
    std::atomic<std::uint64_t> pendingMask{0};
};

static_assert(kNumParameters <= 64, "one pending bit per parameter");
