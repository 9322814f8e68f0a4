#pragma once

#include "effect/SampleAccurateChanges.h"
#include "params/ParameterTable.h"
#include "vst3/Vst3ParameterChanges.h"

#include <array>
#include <cstdint>
#include <optional>

// The points of one process call's parameter changes, ours only, taken in the order of
// their sample offsets across all the parameters' queues, as processWithChanges asks for
// them. Each point is a step to its value at its offset (the queues' straight lines between
// points are not drawn). A point before 0 counts as at 0; values are kept within 0..1.
//
// Audio thread: no allocation, no locks.
class Vst3TimedChanges
{
public:
    // `changes` may be null (no changes); it must outlive this object.
    explicit Vst3TimedChanges(vst3::IParameterChanges* changes);

    std::uint32_t count() const { return total; }
    // The earliest point not taken yet (nothing for a point the host fails to give): ask
    // count() times.
    std::optional<TimedParameterChange> next();

private:
    // A queue and its next point, read once.
    struct Queue
    {
        vst3::IParamValueQueue* queue;
        int index;
        std::int32_t points;
        std::int32_t taken;
        std::int32_t nextOffset;
        vst3::ParamValue nextValue;
        bool nextGiven;
    };

    static void readNext(Queue& queue);

    // A host sends each parameter's queue once; more queues than parameters are ignored.
    // Only the first `used` are filled: nothing is cleared on the audio thread that is not read.
    std::array<Queue, kNumParameters> queues;
    std::size_t used = 0;
    std::uint32_t total = 0;
};
