#include "engine/ParameterChangeQueue.h"

ParameterChangeQueue::ParameterChangeQueue()
{
    for (auto& value : latestValue)
        value.store(0.0f, std::memory_order_relaxed);
}

void ParameterChangeQueue::Post(int index, float value)
{
    if (index < 0 || index >= kNumParameters)
        return;
    latestValue[index].store(value, std::memory_order_relaxed);
    // Release: the consumer that sees the bit also sees this value (or a later one).
    pendingMask.fetch_or(std::uint64_t{1} << index, std::memory_order_release);
}

int ParameterChangeQueue::lowestSetBit(std::uint64_t mask)
{
    return __builtin_ctzll(mask);
}
