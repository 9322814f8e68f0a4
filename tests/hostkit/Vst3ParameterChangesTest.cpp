#include "Vst3ParameterChanges.h"
#include "Vst3StereoProcessData.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

using Point = Vst3ParamValueQueue::Point;

// A plug-in adding a point through the queue's table; answers where it went, -1 when refused.
std::int32_t addThrough(vst3::IParamValueQueue* queue, std::int32_t offset, double value)
{
    std::int32_t index = -1;
    return queue->vtable->addPoint(queue, offset, value, &index) == vst3::kResultOk ? index : -1;
}

}  // namespace

TEST(Vst3ParamValueQueue, KeepsPointsInSampleOrderWithOnePointPerOffsetWithinItsRoom)
{
    Vst3ParamValueQueue owner(3);
    owner.reset(7);
    vst3::IParamValueQueue* queue = owner.queue();
    EXPECT_EQ(queue->vtable->getParameterId(queue), 7u);

    EXPECT_EQ(addThrough(queue, 64, 0.5), 0);
    EXPECT_EQ(addThrough(queue, 0, 0.25), 0);
    EXPECT_EQ(addThrough(queue, 64, 0.75), 1) << "the point at 64 takes the new value";
    EXPECT_EQ(addThrough(queue, 100, 1.0), 2);
    EXPECT_EQ(addThrough(queue, 10, 0.0), -1) << "full";
    EXPECT_EQ(addThrough(queue, -1, 0.0), -1);
    EXPECT_EQ(owner.points(), (std::vector<Point>{{0, 0.25}, {64, 0.75}, {100, 1.0}}));

    ASSERT_EQ(queue->vtable->getPointCount(queue), 3);
    std::int32_t offset = -1;
    double value = -1;
    EXPECT_EQ(queue->vtable->getPoint(queue, 1, &offset, &value), vst3::kResultOk);
    EXPECT_EQ(offset, 64);
    EXPECT_EQ(value, 0.75);
    EXPECT_EQ(queue->vtable->getPoint(queue, 3, &offset, &value), vst3::kInvalidArgument);
    EXPECT_EQ(queue->vtable->getPoint(queue, -1, &offset, &value), vst3::kInvalidArgument);

    owner.reset(9);
    EXPECT_EQ(queue->vtable->getPointCount(queue), 0);
    EXPECT_EQ(owner.parameterId(), 9u);
}

TEST(Vst3ParameterChanges, GivesEachParameterOneQueueWithinItsRoom)
{
    Vst3ParameterChanges list(2, 4);
    vst3::IParameterChanges* changes = list.changes();
    EXPECT_EQ(changes->vtable->getParameterCount(changes), 0);

    const vst3::ParamId width = 3, gain = 5, shape = 8;
    std::int32_t index = -1;
    vst3::IParamValueQueue* widthQueue = changes->vtable->addParameterData(changes, &width, &index);
    ASSERT_NE(widthQueue, nullptr);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(widthQueue->vtable->getParameterId(widthQueue), width);
    vst3::IParamValueQueue* gainQueue = changes->vtable->addParameterData(changes, &gain, &index);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(changes->vtable->addParameterData(changes, &width, &index), widthQueue) << "asked again";
    EXPECT_EQ(index, 0);
    EXPECT_EQ(changes->vtable->addParameterData(changes, &shape, &index), nullptr) << "full";
    EXPECT_EQ(changes->vtable->addParameterData(changes, nullptr, &index), nullptr);

    EXPECT_EQ(changes->vtable->getParameterCount(changes), 2);
    EXPECT_EQ(changes->vtable->getParameterData(changes, 1), gainQueue);
    EXPECT_EQ(changes->vtable->getParameterData(changes, 2), nullptr);
    EXPECT_EQ(changes->vtable->getParameterData(changes, -1), nullptr);

    list.clear();
    EXPECT_EQ(changes->vtable->getParameterCount(changes), 0);
    EXPECT_EQ(list.queueFor(width), nullptr);
    EXPECT_TRUE(list.addPoint(gain, 12, 0.5));
    ASSERT_NE(list.queueFor(gain), nullptr);
    EXPECT_EQ(list.queueFor(gain)->points(), (std::vector<Point>{{12, 0.5}}));
    EXPECT_EQ(list.queueFor(gain)->references(), 1u) << "lent without a reference";
}

TEST(Vst3StereoProcessData, PointsTheRecordAtOneBlockOfTheCallersChannels)
{
    Vst3StereoProcessData process;
    float left[8] = {}, right[8] = {}, outLeft[8] = {}, outRight[8] = {};
    const float* const input[2] = {left, right};
    float* const output[2] = {outLeft, outRight};

    process.outputChanges().addPoint(1, 0, 1.0);
    process.inputChanges().addPoint(2, 4, 0.5);
    vst3::ProcessData& data = process.prepare(input, output, 8);
    EXPECT_EQ(data.numSamples, 8);
    EXPECT_EQ(data.symbolicSampleSize, vst3::kSample32);
    EXPECT_EQ(data.processMode, vst3::kRealtime);
    ASSERT_EQ(data.numInputs, 1);
    ASSERT_EQ(data.numOutputs, 1);
    EXPECT_EQ(data.inputs[0].numChannels, 2);
    EXPECT_EQ(data.inputs[0].channelBuffers32[1], right);
    EXPECT_EQ(data.outputs[0].channelBuffers32[0], outLeft);
    EXPECT_EQ(data.inputs[0].silenceFlags, 0u);
    EXPECT_EQ(data.inputParameterChanges, process.inputChanges().changes());
    EXPECT_EQ(data.outputParameterChanges, process.outputChanges().changes());
    EXPECT_EQ(process.outputChanges().parameterCount(), 0u) << "emptied for the plug-in's changes";
    EXPECT_EQ(process.inputChanges().parameterCount(), 1u);
    EXPECT_EQ(data.inputEvents, nullptr);
    EXPECT_EQ(data.processContext, nullptr);

    const vst3::ProcessSetup setup = Vst3StereoProcessData(vst3::kOffline).setup(48000.0, 512);
    EXPECT_EQ(setup.processMode, vst3::kOffline);
    EXPECT_EQ(setup.symbolicSampleSize, vst3::kSample32);
    EXPECT_EQ(setup.maxSamplesPerBlock, 512);
    EXPECT_EQ(setup.sampleRate, 48000.0);
}
