#include "vst3shell/Vst3TimedChanges.h"

#include "vst3shell/Vst3Parameters.h"

#include <algorithm>

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
        Queue& entry = queues[used++];
        entry = Queue{queue, static_cast<int>(id), points, 0, 0, 0.0, false};
        readNext(entry);
        total += static_cast<std::uint32_t>(points);
    }
}

// A point the host fails to give sorts first and is skipped.
void Vst3TimedChanges::readNext(Queue& queue)
{
    std::int32_t offset = 0;
    queue.nextGiven =
        queue.queue->vtable->getPoint(queue.queue, queue.taken, &offset, &queue.nextValue) == vst3::kResultOk;
    queue.nextOffset = queue.nextGiven ? std::max(offset, 0) : 0;
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
    const TimedParameterChange change{static_cast<std::uint32_t>(earliest->nextOffset), earliest->index,
                                      static_cast<float>(vst3BoundedValue(earliest->nextValue))};
    const bool given = earliest->nextGiven;
    if (++earliest->taken < earliest->points)
        readNext(*earliest);
    if (!given)
        return std::nullopt;
    return change;
}
