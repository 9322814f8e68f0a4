#pragma once

#include "Vst3HostObject.h"
#include "Vst3ParamValueQueue.h"
#include "vst3/Vst3ParameterChanges.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The parameter changes of one process call as IParameterChanges, in either direction: the
// host fills one with addPoint for the plug-in to read, and hands another for the plug-in to
// fill, read back with queueFor. Every queue and its points are set aside up front, so
// neither side allocates during a process call; a full list refuses another parameter.
class Vst3ParameterChanges : public Vst3HostObject
{
public:
    static constexpr std::size_t kDefaultMaxParameters = 64;
    static constexpr std::size_t kDefaultMaxPoints = 64;

    explicit Vst3ParameterChanges(std::size_t maxParameters = kDefaultMaxParameters,
                                  std::size_t maxPointsEach = kDefaultMaxPoints);

    vst3::IParameterChanges* changes() { return &offered.view; }

    // Host side: a point for the parameter, in its queue (made when it has none).
    bool addPoint(vst3::ParamId id, std::int32_t sampleOffset, vst3::ParamValue value);
    void clear() { used = 0; }

    std::size_t parameterCount() const { return used; }
    const Vst3ParamValueQueue& queueAt(std::size_t index) const { return *queues[index]; }
    const Vst3ParamValueQueue* queueFor(vst3::ParamId id) const;

    // The interface's calls; the queues are lent without a reference, as the interface has it.
    vst3::IParamValueQueue* parameterData(std::int32_t index);
    vst3::IParamValueQueue* addParameterData(vst3::ParamId id, std::int32_t* index);

private:
    struct Entries;

    void* primaryInterface() override { return &offered.view; }
    void* interfaceFor(const vst3::Tuid& iid) override;

    std::vector<std::unique_ptr<Vst3ParamValueQueue>> queues;  // the first `used` are in the list
    std::size_t used = 0;
    Offered<vst3::IParameterChanges> offered;
};
