#include "ClapEventList.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{

clap::EventParamGesture gesture(std::uint16_t type, std::uint32_t time, clap::Id paramId)
{
    clap::EventParamGesture event{};
    event.header = {sizeof(event), time, clap::kCoreEventSpaceId, type, 0};
    event.paramId = paramId;
    return event;
}

clap::EventParamValue valueEvent(std::uint32_t time, clap::Id paramId, double value)
{
    clap::EventParamValue event{};
    event.header = {sizeof(event), time, clap::kCoreEventSpaceId, clap::kEventParamValue, 0};
    event.paramId = paramId;
    event.value = value;
    return event;
}

}  // namespace

TEST(ClapEventList, TheHostsEventsReachThePluginInTimeOrderWithTiesInTheOrderAdded)
{
    ClapEventList list;
    ASSERT_TRUE(list.addParamValue(300, 1, 0.3));
    ASSERT_TRUE(list.addParamValue(0, 2, 0.0));
    ASSERT_TRUE(list.addParamValue(300, 3, 0.31));
    ASSERT_TRUE(list.addParamValue(17, 4, 0.17));
    ASSERT_TRUE(list.addParamValue(300, 5, 0.32));

    const clap::InputEvents* view = list.inputEvents();
    ASSERT_EQ(view->size(view), 5u);
    const clap::Id expectedOrder[] = {2, 4, 1, 3, 5};
    const std::uint32_t expectedTimes[] = {0, 17, 300, 300, 300};
    for (std::uint32_t i = 0; i < 5; ++i)
    {
        const clap::EventHeader* header = view->get(view, i);
        ASSERT_NE(header, nullptr);
        ASSERT_EQ(header->type, clap::kEventParamValue);
        ASSERT_EQ(header->size, sizeof(clap::EventParamValue));
        const auto* event = reinterpret_cast<const clap::EventParamValue*>(header);
        EXPECT_EQ(header->time, expectedTimes[i]);
        EXPECT_EQ(event->paramId, expectedOrder[i]);
        EXPECT_EQ(event->noteId, -1) << "a plain automation value addresses every note";
    }
    EXPECT_EQ(view->get(view, 5), nullptr);
    EXPECT_TRUE(list.isInTimeOrder());

    list.clear();
    EXPECT_EQ(view->size(view), 0u);
    EXPECT_EQ(view->get(view, 0), nullptr);
}

TEST(ClapEventList, ThePluginsPushesAreCopiedAndKeptInArrivalOrder)
{
    ClapEventList list;
    const clap::OutputEvents* view = list.outputEvents();

    // A 20-byte gesture first, so the value after it would be misaligned without padding.
    clap::EventParamGesture begin = gesture(clap::kEventParamGestureBegin, 40, 7);
    ASSERT_TRUE(view->tryPush(view, &begin.header));
    begin.paramId = 99;  // the list holds its own copy
    clap::EventParamValue value = valueEvent(40, 7, 0.625);
    ASSERT_TRUE(view->tryPush(view, &value.header));
    const clap::EventParamGesture end = gesture(clap::kEventParamGestureEnd, 12, 7);
    ASSERT_TRUE(view->tryPush(view, &end.header));
    clap::EventParamValue foreign = valueEvent(50, 8, 1.0);
    foreign.header.spaceId = 4;
    ASSERT_TRUE(view->tryPush(view, &foreign.header));

    const std::vector<ClapParamEvent> events = list.paramEvents();
    ASSERT_EQ(events.size(), 3u) << "events of another space are not parameter events";
    EXPECT_EQ(events[0].type, clap::kEventParamGestureBegin);
    EXPECT_EQ(events[0].paramId, 7u);
    EXPECT_EQ(events[1].type, clap::kEventParamValue);
    EXPECT_EQ(events[1].time, 40u);
    EXPECT_EQ(events[1].value, 0.625);
    EXPECT_EQ(events[2].type, clap::kEventParamGestureEnd);
    EXPECT_EQ(events[2].time, 12u);
    EXPECT_FALSE(list.isInTimeOrder()) << "an end pushed before its begin's time must show";
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(&list.at(1)) % alignof(clap::EventParamValue), 0u);

    clap::EventHeader truncated = value.header;
    truncated.size = sizeof(clap::EventHeader) - 1;
    EXPECT_FALSE(view->tryPush(view, &truncated));
    EXPECT_FALSE(view->tryPush(view, nullptr));
    EXPECT_EQ(list.size(), 4u);
}

TEST(ClapEventList, AFullListRefusesEventsUntilCleared)
{
    // Room for two value events by bytes, and for three events by count.
    ClapEventList list(2 * sizeof(clap::EventParamValue), 3);
    const clap::OutputEvents* view = list.outputEvents();
    const clap::EventParamValue value = valueEvent(0, 1, 0.5);
    EXPECT_TRUE(view->tryPush(view, &value.header));
    EXPECT_TRUE(view->tryPush(view, &value.header));
    EXPECT_FALSE(view->tryPush(view, &value.header));
    const clap::EventHeader bare{sizeof(clap::EventHeader), 0, clap::kCoreEventSpaceId, 99, 0};
    EXPECT_FALSE(view->tryPush(view, &bare)) << "no bytes left";
    EXPECT_EQ(list.size(), 2u);

    list.clear();
    EXPECT_TRUE(list.append(bare));
    EXPECT_TRUE(list.append(bare));
    EXPECT_TRUE(list.append(bare));
    EXPECT_FALSE(list.append(bare)) << "no index entries left";
}
