#include "editor/ParameterInbox.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST(ParameterInbox, DeliversTheLatestValuePerIndexOnceInIndexOrder)
{
    ParameterInbox inbox;
    inbox.post(5, 0.1f);
    inbox.post(2, 0.2f);
    inbox.post(5, 0.7f);
    inbox.post(45, 1.0f);
    inbox.post(-1, 1.0f);
    inbox.post(ParameterInbox::kCapacity, 1.0f);
    std::vector<std::pair<int, float>> delivered;
    EXPECT_TRUE(inbox.drain([&](int index, float value) { delivered.emplace_back(index, value); }));
    EXPECT_EQ(delivered, (std::vector<std::pair<int, float>>{{2, 0.2f}, {5, 0.7f}, {45, 1.0f}}));
    EXPECT_FALSE(inbox.drain([](int, float) { FAIL() << "delivered twice"; }));
}

TEST(ParameterInbox, ProducersOnOtherThreadsNeverLoseTheirLastValue)
{
    ParameterInbox inbox;
    constexpr int kProducers = 3;
    constexpr int kPosts = 20000;
    std::atomic<bool> done{false};
    std::vector<float> seen(ParameterInbox::kCapacity, -1.0f);
    std::thread consumer(
        [&]
        {
            while (!done.load())
                inbox.drain([&](int index, float value) { seen[index] = value; });
        });
    std::vector<std::thread> producers;
    for (int p = 0; p < kProducers; ++p)
    {
        producers.emplace_back(
            [&inbox, p]
            {
                for (int i = 1; i <= kPosts; ++i)
                    inbox.post(p, static_cast<float>(i));
            });
    }
    for (auto& producer : producers)
        producer.join();
    done = true;
    consumer.join();
    inbox.drain([&](int index, float value) { seen[index] = value; });
    for (int p = 0; p < kProducers; ++p)
        EXPECT_EQ(seen[p], static_cast<float>(kPosts)) << "producer " << p;
}
