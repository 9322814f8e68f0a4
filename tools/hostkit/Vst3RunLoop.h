#pragma once

#include "ClapTimerTable.h"
#include "Vst3HostObject.h"
#include "vst3/Vst3PlugView.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

// The run loop a Linux host offers a plug-in (IRunLoop): the descriptors and timers it
// registers, called back when a test pumps the loop, as a host's event loop would. Every
// call belongs on the thread that made the loop. A handler is held with a reference while registered. On Windows, where
// no host offers it, only the timers work.
class Vst3RunLoop : public Vst3HostObject
{
public:
    using Clock = ClapTimerTable::Clock;

    Vst3RunLoop();
    // Lets go of the handlers still registered.
    ~Vst3RunLoop() override;

    vst3::IRunLoop* runLoop() { return &offered.view; }

    vst3::tresult registerEventHandler(vst3::IEventHandler* handler, vst3::FileDescriptor fd);
    vst3::tresult unregisterEventHandler(vst3::IEventHandler* handler);
    vst3::tresult registerTimer(vst3::ITimerHandler* handler, vst3::TimerInterval milliseconds);
    vst3::tresult unregisterTimer(vst3::ITimerHandler* handler);

    std::size_t timerCount() const { return timerHandlers.size(); }
    std::size_t watchCount() const { return watches.size(); }

    // One turn of the loop: waits up to timeoutMs for a readable descriptor and reports every
    // ready one, then runs the timers due. Answers how many handler calls it made.
    int pump(int timeoutMs = 0);
    int pollDescriptors(int timeoutMs);
    int fireDueTimers(Clock::time_point now);

private:
    struct Entries;
    struct Watch
    {
        vst3::FileDescriptor fd;
        vst3::IEventHandler* handler;
    };

    void* primaryInterface() override { return &offered.view; }
    void* interfaceFor(const vst3::Tuid& iid) override;
    bool isWatched(const Watch& watch) const;

    std::vector<Watch> watches;
    ClapTimerTable timers;
    std::map<clap::Id, vst3::ITimerHandler*> timerHandlers;
    Offered<vst3::IRunLoop> offered;
};
