#include "ClapTimerTable.h"

clap::Id ClapTimerTable::add(std::uint32_t periodMs, Clock::time_point now)
{
    const auto period = std::chrono::duration_cast<Clock::duration>(std::chrono::milliseconds(periodMs));
    const clap::Id id = nextId++;
    timers[id] = Timer{period, now + period};
    return id;
}

bool ClapTimerTable::remove(clap::Id id)
{
    return timers.erase(id) != 0;
}

std::vector<clap::Id> ClapTimerTable::ids() const
{
    std::vector<clap::Id> all;
    for (const auto& [id, timer] : timers)
        all.push_back(id);
    return all;
}

std::vector<clap::Id> ClapTimerTable::takeDue(Clock::time_point now)
{
    std::vector<clap::Id> due;
    for (auto& [id, timer] : timers)
    {
        if (timer.due > now)
            continue;
        due.push_back(id);
        timer.due += timer.period;
        if (timer.due <= now)
            timer.due = now + timer.period;
    }
    return due;
}
