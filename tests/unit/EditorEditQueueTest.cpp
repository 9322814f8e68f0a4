// The editor's edits on their way to a CLAP host: in order, across calls that take only
// part of them, and with every gesture end kept when values have to be dropped.
#include "effect/EditorEditQueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{

using Edit = EditorEditQueue::Edit;
using Kind = EditorEditQueue::Kind;

std::vector<Edit> drainAll(EditorEditQueue& queue)
{
    std::vector<Edit> taken;
    queue.drain(
        [&](const Edit& edit)
        {
            taken.push_back(edit);
            return true;
        });
    return taken;
}

}  // namespace

TEST(EditorEditQueue, EditsComeOutInOrderAndARefusedOneWaitsForTheNextCall)
{
    EditorEditQueue queue;
    ASSERT_TRUE(queue.push({Kind::Begin, 5, 0.0f}));
    ASSERT_TRUE(queue.push({Kind::Value, 5, 0.25f}));
    ASSERT_TRUE(queue.push({Kind::Value, 5, 0.5f}));
    ASSERT_TRUE(queue.push({Kind::End, 5, 0.0f}));

    // A host list that takes two events and then refuses.
    int room = 2;
    std::vector<Edit> first;
    queue.drain(
        [&](const Edit& edit)
        {
            if (room == 0)
                return false;
            --room;
            first.push_back(edit);
            return true;
        });
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].kind, Kind::Begin);
    EXPECT_EQ(first[1].value, 0.25f);
    const std::vector<Edit> rest = drainAll(queue);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[0].value, 0.5f);
    EXPECT_EQ(rest[1].kind, Kind::End);
    EXPECT_TRUE(drainAll(queue).empty());
}

TEST(EditorEditQueue, WhenNobodyTakesThemValuesAreDroppedBeforeGestureEnds)
{
    EditorEditQueue queue;
    int valuesTaken = 0;
    for (std::size_t i = 0; i < 2 * EditorEditQueue::kCapacity; ++i)
        valuesTaken += queue.push({Kind::Value, 1, 0.5f}) ? 1 : 0;
    EXPECT_EQ(valuesTaken, static_cast<int>(EditorEditQueue::kCapacity - EditorEditQueue::kGestureReserve));
    // Every parameter can still begin and end a gesture.
    for (int index = 0; index < kNumParameters; ++index)
    {
        EXPECT_TRUE(queue.push({Kind::Begin, index, 0.0f}));
        EXPECT_TRUE(queue.push({Kind::End, index, 0.0f}));
    }
    EXPECT_FALSE(queue.push({Kind::End, 0, 0.0f})) << "full";
    EXPECT_EQ(drainAll(queue).size(), EditorEditQueue::kCapacity);
    EXPECT_TRUE(queue.push({Kind::Value, 1, 0.5f})) << "room again once taken";
}

TEST(EditorEditQueue, OneThreadPutsInWhileAnotherTakesOutNothingLostOrReordered)
{
    EditorEditQueue queue;
    constexpr int kEdits = 50000;
    std::thread editor(
        [&]
        {
            for (int i = 0; i < kEdits;)
            {
                if (queue.push({Kind::Begin, i % kNumParameters, static_cast<float>(i)}))
                    ++i;
                else
                    std::this_thread::yield();
            }
        });
    int expected = 0;
    bool inOrder = true;
    while (expected < kEdits)
    {
        queue.drain(
            [&](const Edit& edit)
            {
                inOrder =
                    inOrder && edit.value == static_cast<float>(expected) && edit.index == expected % kNumParameters;
                ++expected;
                return true;
            });
    }
    editor.join();
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(expected, kEdits);
}
