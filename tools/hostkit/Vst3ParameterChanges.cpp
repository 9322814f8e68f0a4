#include "Vst3ParameterChanges.h"

struct Vst3ParameterChanges::Entries
{
    static Vst3ParameterChanges& changesOf(void* self)
    {
        return objectOf<Vst3ParameterChanges, vst3::IParameterChanges>(self);
    }

    static std::int32_t getParameterCount(void* self)
    {
        return static_cast<std::int32_t>(changesOf(self).parameterCount());
    }

    static vst3::IParamValueQueue* getParameterData(void* self, std::int32_t index)
    {
        return changesOf(self).parameterData(index);
    }

    static vst3::IParamValueQueue* addParameterData(void* self, const vst3::ParamId* id, std::int32_t* index)
    {
        return id != nullptr ? changesOf(self).addParameterData(*id, index) : nullptr;
    }

    static constexpr vst3::IParameterChangesVtable kVtable{unknownMethods<vst3::IParameterChanges>(), getParameterCount,
                                                           getParameterData, addParameterData};
};

Vst3ParameterChanges::Vst3ParameterChanges(std::size_t maxParameters, std::size_t maxPointsEach)
    : offered{{&Entries::kVtable}, this}
{
    queues.reserve(maxParameters);
    for (std::size_t i = 0; i < maxParameters; ++i)
        queues.push_back(std::make_unique<Vst3ParamValueQueue>(maxPointsEach));
}

void* Vst3ParameterChanges::interfaceFor(const vst3::Tuid& iid)
{
    return iid == vst3::kIParameterChangesIid ? &offered.view : nullptr;
}

bool Vst3ParameterChanges::addPoint(vst3::ParamId id, std::int32_t sampleOffset, vst3::ParamValue value)
{
    std::int32_t queueIndex = 0;
    if (addParameterData(id, &queueIndex) == nullptr)
        return false;
    std::int32_t pointIndex = 0;
    return queues[static_cast<std::size_t>(queueIndex)]->addPoint(sampleOffset, value, &pointIndex) == vst3::kResultOk;
}

const Vst3ParamValueQueue* Vst3ParameterChanges::queueFor(vst3::ParamId id) const
{
    for (std::size_t i = 0; i < used; ++i)
    {
        if (queues[i]->parameterId() == id)
            return queues[i].get();
    }
    return nullptr;
}

vst3::IParamValueQueue* Vst3ParameterChanges::parameterData(std::int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= used)
        return nullptr;
    return queues[static_cast<std::size_t>(index)]->queue();
}

vst3::IParamValueQueue* Vst3ParameterChanges::addParameterData(vst3::ParamId id, std::int32_t* index)
{
    if (index == nullptr)
        return nullptr;
    for (std::size_t i = 0; i < used; ++i)
    {
        if (queues[i]->parameterId() == id)
        {
            *index = static_cast<std::int32_t>(i);
            return queues[i]->queue();
        }
    }
    if (used == queues.size())
        return nullptr;
    queues[used]->reset(id);
    *index = static_cast<std::int32_t>(used);
    return queues[used++]->queue();
}
