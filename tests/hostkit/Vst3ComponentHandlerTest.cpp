#include "Vst3ComponentHandler.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Edit = Vst3ComponentHandler::Edit;
using Step = Vst3ComponentHandler::EditStep;

TEST(Vst3ComponentHandler, RecordsAControllersEditsAndRestartRequestsInOrder)
{
    Vst3ComponentHandler recorder;
    vst3::IComponentHandler* handler = recorder.handler();
    EXPECT_EQ(handler->vtable->beginEdit(handler, 4), vst3::kResultOk);
    EXPECT_EQ(handler->vtable->performEdit(handler, 4, 0.25), vst3::kResultOk);
    EXPECT_EQ(handler->vtable->performEdit(handler, 4, 0.5), vst3::kResultOk);
    EXPECT_EQ(handler->vtable->endEdit(handler, 4), vst3::kResultOk);
    EXPECT_EQ(handler->vtable->restartComponent(handler, vst3::kLatencyChanged), vst3::kResultOk);
    EXPECT_EQ(handler->vtable->restartComponent(handler, vst3::kParamValuesChanged | vst3::kParamTitlesChanged),
              vst3::kResultOk);

    EXPECT_EQ(recorder.edits(),
              (std::vector<Edit>{
                  {Step::begin, 4, 0.0}, {Step::perform, 4, 0.25}, {Step::perform, 4, 0.5}, {Step::end, 4, 0.0}}));
    EXPECT_EQ(recorder.restartRequests(), (std::vector<std::int32_t>{vst3::kLatencyChanged, 0x14}));
    EXPECT_EQ(recorder.misuses(), 0);
}

TEST(Vst3ComponentHandler, CountsEditsOutOfTurnAndRefusesCallsOffTheUiThread)
{
    Vst3ComponentHandler recorder;
    vst3::IComponentHandler* handler = recorder.handler();
    handler->vtable->performEdit(handler, 1, 0.5);
    EXPECT_EQ(recorder.misuses(), 1) << "an edit before its begin";
    handler->vtable->endEdit(handler, 1);
    EXPECT_EQ(recorder.misuses(), 2) << "an end without a begin";
    handler->vtable->beginEdit(handler, 1);
    handler->vtable->beginEdit(handler, 1);
    EXPECT_EQ(recorder.misuses(), 3) << "a second begin";
    EXPECT_EQ(recorder.edits().size(), 4u) << "recorded all the same";

    std::vector<vst3::tresult> results;
    std::thread(
        [&]
        {
            results.push_back(handler->vtable->performEdit(handler, 1, 0.75));
            results.push_back(handler->vtable->restartComponent(handler, vst3::kLatencyChanged));
        })
        .join();
    EXPECT_EQ(results, (std::vector<vst3::tresult>{vst3::kResultFalse, vst3::kResultFalse}));
    EXPECT_EQ(recorder.misuses(), 5);
    EXPECT_EQ(recorder.edits().size(), 4u);
    EXPECT_TRUE(recorder.restartRequests().empty());
}
