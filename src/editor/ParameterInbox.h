#pragma once

#include <atomic>
#include <bit>
#include <cstdint>

// Carries the host's parameter changes from whatever thread made them (the audio thread
// included) to the editor's GUI thread, without locks or allocation. Each index keeps only
// its latest value, so a burst of automation between two frames costs one update.
class ParameterInbox
{
public:
    static constexpr int kCapacity = 64;

    ParameterInbox()
    {
        for (auto& value : latestValue)
            value.store(0.0f, std::memory_order_relaxed);
    }

    // Any thread. Indices outside 0..63 are ignored.
    void post(int index, float value)
    {
        if (index < 0 || index >= kCapacity)
            return;
        latestValue[index].store(value, std::memory_order_relaxed);
        pendingMask.fetch_or(std::uint64_t{1} << index, std::memory_order_release);
    }

    // GUI thread: hands every pending change to deliver(index, value), in index order.
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
    std::atomic<float> latestValue[kCapacity];
    std::atomic<std::uint64_t> pendingMask{0};
};
