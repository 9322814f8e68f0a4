#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

// A parameter's new value from a sample of the block on, as formats with sample-accurate
// automation hand them over.
struct TimedParameterChange
{
    std::uint32_t offset;
    int index;
    float value;
};

// Processes a block so that each change takes effect at its own sample: the block is cut
// into pieces at the changes' offsets, each change is set before the piece it starts, and
// the pieces are processed in order. `changeAt(i)` gives the i-th of `count` events in time
// order, or nothing for an event that is not a parameter change (it cuts nothing); an
// offset past the block counts as its end, one before an earlier change as that change's.
// `effect` needs setParameter(int, float) and process(float**, float**, int).
//
// Audio thread: no allocation, no locks.
template <typename Effect, typename ChangeAt>
void processWithChanges(Effect& effect, float* const* inputs, float* const* outputs, std::uint32_t frames,
                        std::uint32_t count, ChangeAt&& changeAt)
{
    std::uint32_t position = 0;
    auto processUpTo = [&](std::uint32_t end)
    {
        if (end <= position)
            return;
        float* pieceIn[2] = {inputs[0] + position, inputs[1] + position};
        float* pieceOut[2] = {outputs[0] + position, outputs[1] + position};
        effect.process(pieceIn, pieceOut, static_cast<int>(end - position));
        position = end;
    };
    for (std::uint32_t i = 0; i < count; ++i)
    {
        const std::optional<TimedParameterChange> change = changeAt(i);
        if (!change)
            continue;
        processUpTo(std::min(change->offset, frames));
        effect.setParameter(change->index, change->value);
    }
    processUpTo(frames);
}
