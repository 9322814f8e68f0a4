#include "engine/ParameterChangeQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

namespace
{

std::vector<std::pair<int, float>> drainAll(ParameterChangeQueue& queue)
{
    std::vector<std::pair<int, float>> changes;
    queue.Drain([&](int index, float value) { changes.emplace_back(index, value); });
    return changes;
}

}  // namespace

TEST(ParameterChangeQueue, ChangesOfOneParameterCoalesceIntoTheLatest)
{
    ParameterChangeQueue queue;
    queue.Post(1, 0.2f);
    queue.Post(5, 0.7f);
    queue.Post(1, 0.9f);
    const auto changes = drainAll(queue);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0], std::make_pair(1, 0.9f));
    EXPECT_EQ(changes[1], std::make_pair(5, 0.7f));
    EXPECT_TRUE(drainAll(queue).empty()) << "a drained change is not delivered twice";
}

TEST(ParameterChangeQueue, IndicesOutsideTheTableAreIgnored)
{
    ParameterChangeQueue queue;
    queue.Post(42, 1.0f);
    queue.Post(-1, 1.0f);
    queue.Post(1000, 1.0f);
    EXPECT_FALSE(queue.hasPending());
    queue.Post(41, 0.5f);
    EXPECT_EQ(drainAll(queue), (std::vector<std::pair<int, float>>{{41, 0.5f}}));
}

TEST(ParameterChangeQueue, ConcurrentProducersNeverLoseTheirLastChange)
{
    // Each producer owns every third parameter, so each parameter's last value is known.
    ParameterChangeQueue queue;
    constexpr int kProducers = 3;
    constexpr int kRounds = 20000;
    float applied[kNumParameters] = {};
    std::atomic<bool> producing{true};
    std::thread consumer([&] {
        while (producing.load())
            queue.Drain([&](int index, float value) { applied[index] = value; });
    });
    std::vector<std::thread> producers;
    for (int p = 0; p < kProducers; ++p)
    {
        producers.emplace_back([&queue, p] {
            for (int round = 1; round <= kRounds; ++round)
            {
                for (int index = p; index < kNumParameters; index += kProducers)
                    queue.Post(index, static_cast<float>(round * 100 + index));
            }
        });
    }
    for (auto& producer : producers)
        producer.join();
    producing = false;
    consumer.join();
    queue.Drain([&](int index, float value) { applied[index] = value; });
    for (int index = 0; index < kNumParameters; ++index)
        EXPECT_EQ(applied[index], static_cast<float>(kRounds * 100 + index)) << index;
}
