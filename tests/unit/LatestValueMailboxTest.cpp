#include "base/LatestValueMailbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

namespace
{

constexpr int kSlots = 42;
using Mailbox = LatestValueMailbox<kSlots>;

std::vector<std::pair<int, float>> drainAll(Mailbox& queue)
{
    std::vector<std::pair<int, float>> changes;
    queue.drain([&](int index, float value) { changes.emplace_back(index, value); });
    return changes;
}

}  // namespace

TEST(LatestValueMailbox, PostsOfOneIndexCoalesceIntoTheLatestInIndexOrder)
{
    Mailbox queue;
    queue.post(5, 0.7f);
    queue.post(1, 0.2f);
    queue.post(1, 0.9f);
    EXPECT_EQ(drainAll(queue), (std::vector<std::pair<int, float>>{{1, 0.9f}, {5, 0.7f}}));
    EXPECT_FALSE(queue.drain([](int, float) { FAIL() << "delivered twice"; }));
}

TEST(LatestValueMailbox, IndicesOutsideTheMailboxAreIgnored)
{
    Mailbox queue;
    queue.post(kSlots, 1.0f);
    queue.post(-1, 1.0f);
    queue.post(1000, 1.0f);
    EXPECT_TRUE(drainAll(queue).empty());
    queue.post(kSlots - 1, 0.5f);
    EXPECT_EQ(drainAll(queue), (std::vector<std::pair<int, float>>{{kSlots - 1, 0.5f}}));
}

TEST(LatestValueMailbox, ConcurrentProducersNeverLoseTheirLastValue)
{
    // Each producer owns every third index, so each index's last value is known.
    Mailbox queue;
    constexpr int kProducers = 3;
    constexpr int kRounds = 20000;
    float applied[kSlots] = {};
    std::atomic<bool> producing{true};
    std::thread consumer(
        [&]
        {
            while (producing.load())
                queue.drain([&](int index, float value) { applied[index] = value; });
        });
    std::vector<std::thread> producers;
    for (int p = 0; p < kProducers; ++p)
    {
        producers.emplace_back(
            [&queue, p]
            {
                for (int round = 1; round <= kRounds; ++round)
                {
                    for (int index = p; index < kSlots; index += kProducers)
                        queue.post(index, static_cast<float>(round * 100 + index));
                }
            });
    }
    for (auto& producer : producers)
        producer.join();
    producing = false;
    consumer.join();
    queue.drain([&](int index, float value) { applied[index] = value; });
    for (int index = 0; index < kSlots; ++index)
        EXPECT_EQ(applied[index], static_cast<float>(kRounds * 100 + index)) << index;
}
