#pragma once

#include <atomic>
#include <bit>
#include <cstdint>

// Carries values from any number of threads to one consumer thread without locks, waiting
// or allocation: the pattern of every mailbox between threads here (parameter changes to
// the audio thread, the host's changes to the editor). Each index keeps only its latest
// value, so several posts of one index before the consumer looks coalesce into the last.
template <int Capacity> class LatestValueMailbox
{
public:
    static_assert(Capacity > 0 && Capacity <= 64, "one pending bit per index");
    static constexpr int kCapacity = Capacity;

    LatestValueMailbox()
    {
        for (auto& value : latestValue)
            value.store(0.0f, std::memory_order_relaxed);
    }

    // Any thread. Indices outside 0..Capacity-1 are ignored.
    void post(int index, float value)
    {
        if (index < 0 || index >= Capacity)
            return;
        latestValue[index].store(value, std::memory_order_relaxed);
        // Release: the consumer that sees the bit also sees this value (or a later one).
        pendingMask.fetch_or(std::uint64_t{1} << index, std::memory_order_release);
    }

    // The consumer: hands every pending value to deliver(index, value), in index order.
    // Answers whether there was any.
    template <typename Deliver> bool drain(Deliver&& deliver)
    {
        std::uint64_t pending = pendingMask.exchange(0, std::memory_order_acquire);
        const bool any = pending != 0;
        while (pending != 0)
        {
            const int index = std::countr_zero(pending);
            pending &= pending - 1;
            deliver(index, latestValue[index].load(std::memory_order_relaxed));
        }
        return any;
    }

private:
    std::atomic<float> latestValue[Capacity];
    std::atomic<std::uint64_t> pendingMask{0};
};
