#pragma once

#include "Vst3HostObject.h"
#include "vst3/Vst3ParameterChanges.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One parameter's points within a block, kept in sample-offset order, as IParamValueQueue.
// Its room is set aside up front, so a plug-in adding points on the audio thread never makes
// it allocate; a full queue refuses the point.
class Vst3ParamValueQueue : public Vst3HostObject
{
public:
    struct Point
    {
        std::int32_t sampleOffset;
        vst3::ParamValue value;

        bool operator==(const Point&) const = default;
    };

    explicit Vst3ParamValueQueue(std::size_t maxPoints);

    vst3::IParamValueQueue* queue() { return &offered.view; }
    // Empties the queue for the parameter `id`.
    void reset(vst3::ParamId id);
    vst3::ParamId parameterId() const { return id; }
    const std::vector<Point>& points() const { return pointList; }

    vst3::tresult getPoint(std::int32_t index, std::int32_t* sampleOffset, vst3::ParamValue* value) const;
    // A point at an offset the queue already holds replaces that one's value; *index tells
    // where the point went.
    vst3::tresult addPoint(std::int32_t sampleOffset, vst3::ParamValue value, std::int32_t* index);

private:
    struct Entries;

    void* primaryInterface() override { return &offered.view; }
    void* interfaceFor(const vst3::Tuid& iid) override;

    vst3::ParamId id = vst3::kNoParamId;
    std::vector<Point> pointList;
    std::size_t maxPoints;
    Offered<vst3::IParamValueQueue> offered;
};
