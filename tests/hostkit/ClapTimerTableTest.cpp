#include "ClapTimerTable.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace std::chrono_literals;

TEST(ClapTimerTable, TimersComeDueOncePerPeriodAndNeverInABurst)
{
    ClapTimerTable table;
    const auto start = ClapTimerTable::Clock::time_point{};
    const clap::Id fast = table.add(10, start);
    const clap::Id slow = table.add(25, start);
    EXPECT_NE(fast, slow);

    EXPECT_TRUE(table.takeDue(start + 9ms).empty());
    EXPECT_EQ(table.takeDue(start + 10ms), (std::vector<clap::Id>{fast}));
    EXPECT_TRUE(table.takeDue(start + 10ms).empty()) << "taken timers move on a period";
    EXPECT_EQ(table.takeDue(start + 25ms), (std::vector<clap::Id>{fast, slow}));

    // A loop that stalled for many periods fires each timer once, then keeps its pace.
    EXPECT_EQ(table.takeDue(start + 200ms), (std::vector<clap::Id>{fast, slow}));
    EXPECT_TRUE(table.takeDue(start + 209ms).empty());
    EXPECT_EQ(table.takeDue(start + 210ms), (std::vector<clap::Id>{fast}));

    EXPECT_TRUE(table.remove(fast));
    EXPECT_FALSE(table.remove(fast));
    EXPECT_FALSE(table.contains(fast));
    EXPECT_EQ(table.takeDue(start + 1s), (std::vector<clap::Id>{slow}));
    EXPECT_NE(table.add(10, start), fast) << "a removed timer's id is not given out again";
}
