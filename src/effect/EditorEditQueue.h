#pragma once

#include "params/ParameterTable.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

// The user's edits in the editor on their way to the host, in the order they were made: the
// editor's thread puts them in, and the host's next process or flush call (never two at
// once) takes them out as gesture and value events. Lock-free, wait-free and allocation-free
// on both sides. When the host takes nothing for long, values are dropped before the gesture
// ends would be, so every gesture begun can still be ended.
class EditorEditQueue
{
public:
    enum class Kind : std::uint8_t
    {
        Begin,
        Value,
        End,
    };

    struct Edit
    {
        Kind kind;
        int index;
        float value;  // for Value only
    };

    static constexpr std::size_t kCapacity = 1024;
    // Room kept for the begins and ends of a gesture on every parameter.
    static constexpr std::size_t kGestureReserve = 2 * kNumParameters;

    // The editor's thread. False when the edit had to be dropped.
    bool push(const Edit& edit)
    {
        const std::size_t tail = written.load(std::memory_order_relaxed);
        const std::size_t used = tail - taken.load(std::memory_order_acquire);
        const std::size_t room = edit.kind == Kind::Value ? kCapacity - kGestureReserve : kCapacity;
        if (used >= room)
            return false;
        ring[tail % kCapacity] = edit;
        written.store(tail + 1, std::memory_order_release);
        return true;
    }

    // The taking side: hands the edits to send(edit) in order until it answers false; that
    // edit and the ones after it stay for the next call.
    template <typename Send> void drain(Send&& send)
    {
        std::size_t head = taken.load(std::memory_order_relaxed);
        const std::size_t tail = written.load(std::memory_order_acquire);
        for (; head != tail; ++head)
        {
            if (!send(ring[head % kCapacity]))
                break;
        }
        taken.store(head, std::memory_order_release);
    }

private:
    std::array<Edit, kCapacity> ring{};
    std::atomic<std::size_t> written{0};
    std::atomic<std::size_t> taken{0};
};
