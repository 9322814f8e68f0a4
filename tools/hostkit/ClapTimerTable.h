#pragma once

#include "clap/ClapCore.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <vector>

// The periodic timers a plug-in registered with its host, and when each one is due.
class ClapTimerTable
{
public:
    using Clock = std::chrono::steady_clock;

    clap::Id add(std::uint32_t periodMs, Clock::time_point now);
    bool remove(clap::Id id);
    bool contains(clap::Id id) const { return timers.count(id) != 0; }
    std::vector<clap::Id> ids() const;

    // The timers whose period has run out by `now`, in id order; each is next due one period
    // later (not before `now`, so a stalled loop does not fire a timer in a burst).
    std::vector<clap::Id> takeDue(Clock::time_point now);

private:
    struct Timer
    {
        Clock::duration period;
        Clock::time_point due;
    };

    std::map<clap::Id, Timer> timers;
    clap::Id nextId = 1;
};
