#include "Vst3ParamValueQueue.h"

#include <algorithm>

struct Vst3ParamValueQueue::Entries
{
    static Vst3ParamValueQueue& queueOf(void* self)
    {
        return objectOf<Vst3ParamValueQueue, vst3::IParamValueQueue>(self);
    }

    static vst3::ParamId getParameterId(void* self) { return queueOf(self).parameterId(); }

    static std::int32_t getPointCount(void* self) { return static_cast<std::int32_t>(queueOf(self).points().size()); }

    static vst3::tresult getPoint(void* self, std::int32_t index, std::int32_t* sampleOffset, vst3::ParamValue* value)
    {
        return queueOf(self).getPoint(index, sampleOffset, value);
    }

    static vst3::tresult addPoint(void* self, std::int32_t sampleOffset, vst3::ParamValue value, std::int32_t* index)
    {
        return queueOf(self).addPoint(sampleOffset, value, index);
    }

    static constexpr vst3::IParamValueQueueVtable kVtable{unknownMethods<vst3::IParamValueQueue>(), getParameterId,
                                                          getPointCount, getPoint, addPoint};
};

Vst3ParamValueQueue::Vst3ParamValueQueue(std::size_t pointCapacity)
    : maxPoints(pointCapacity), offered{{&Entries::kVtable}, this}
{
    pointList.reserve(maxPoints);
}

void* Vst3ParamValueQueue::interfaceFor(const vst3::Tuid& iid)
{
    return iid == vst3::kIParamValueQueueIid ? &offered.view : nullptr;
}

void Vst3ParamValueQueue::reset(vst3::ParamId parameter)
{
    id = parameter;
    pointList.clear();
}

vst3::tresult Vst3ParamValueQueue::getPoint(std::int32_t index, std::int32_t* sampleOffset,
                                            vst3::ParamValue* value) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= pointList.size() || sampleOffset == nullptr || value == nullptr)
        return vst3::kInvalidArgument;
    *sampleOffset = pointList[static_cast<std::size_t>(index)].sampleOffset;
    *value = pointList[static_cast<std::size_t>(index)].value;
    return vst3::kResultOk;
}

vst3::tresult Vst3ParamValueQueue::addPoint(std::int32_t sampleOffset, vst3::ParamValue value, std::int32_t* index)
{
    if (sampleOffset < 0 || index == nullptr)
        return vst3::kInvalidArgument;
    const auto place =
        std::lower_bound(pointList.begin(), pointList.end(), sampleOffset,
                         [](const Point& point, std::int32_t offset) { return point.sampleOffset < offset; });
    *index = static_cast<std::int32_t>(place - pointList.begin());
    if (place != pointList.end() && place->sampleOffset == sampleOffset)
    {
        place->value = value;
        return vst3::kResultOk;
    }
    if (pointList.size() == maxPoints)
        return vst3::kResultFalse;
    pointList.insert(place, Point{sampleOffset, value});
    return vst3::kResultOk;
}
