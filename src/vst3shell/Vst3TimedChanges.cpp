#include "vst3shell/Vst3TimedChanges.h"

#include "vst3shell/Vst3Parameters.h"

#include <algorithm>
#include <limits>

namespace
{

// The offset and value of a queue's point; false when the host gives none.
bool pointOf(vst3::IParamValueQueue* queue, std::int32_t index, std::int32_t& offset, vst3::ParamValue& value)
{
    return queue->vtable->getPoint(queue, index, &offset, &value) == vst3::kResultOk;
}

}  // namespace

Vst3TimedChanges::Vst3TimedChanges(vst3::IParameterChanges* changes)
{
    if (changes == nullptr)
        return;
    const std::int32_t queueCount = changes->vtable->getParameterCount(changes);
    for (std::int32_t i = 0; i < queueCount && used < queues.size(); ++i)
    {
        vst3::IParamValueQueue* queue = changes->vtable->getParameterData(changes, i);
        if (queue == nullptr)
            continue;
        const vst3::ParamId id = queue->vtable->getParameterId(queue);
        const std::int32_t points = queue->vtable->getPointCount(queue);
        if (!isVst3Parameter(id) || points <= 0)
            continue;
        Queue entry{queue, static_cast<int>(id), points, 0, 0};
        entry.nextOffset = offsetAt(entry);
        queues[used++] = entry;
        total += static_cast<std::uint32_t>(points);
    }
}

std::int32_t Vst3TimedChanges::offsetAt(const Queue& queue) const
{
    std::int32_t offset = 0;
    vst3::ParamValue ignored = 0.0;
    if (!pointOf(queue.queue, queue.taken, offset, ignored))
        return 0;
    return std::max(offset, 0);
}

std::optional<TimedParameterChange> Vst3TimedChanges::next()
{
    Queue* earliest = nullptr;
    for (std::size_t i = 0; i < used; ++i)
    {
        Queue& queue = queues[i];
        if (queue.taken < queue.points && (earliest == nullptr || queue.nextOffset < earliest->nextOffset))
            earliest = &queue;
    }
    if (earliest == nullptr)
        return std::nullopt;
    std::int32_t offset = 0;
    vst3::ParamValue value = 0.0;
    const bool given = pointOf(earliest->queue, earliest->taken, offset, value);
    ++earliest->taken;
    if (earliest->taken < earliest->points)
        earliest->nextOffset = offsetAt(*earliest);
    if (!given)
        return std::nullopt;
    return TimedParameterChange{static_cast<std::uint32_t>(std::max(offset, 0)), earliest->index,
                                static_cast<float>(vst3BoundedValue(value))};
}
