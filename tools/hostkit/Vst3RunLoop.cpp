#include "Vst3RunLoop.h"

#include <algorithm>

#if !defined(_WIN32)
#include <poll.h>
#endif

struct Vst3RunLoop::Entries
{
    static Vst3RunLoop& loopOf(void* self) { return objectOf<Vst3RunLoop, vst3::IRunLoop>(self); }

    static vst3::tresult registerEventHandler(void* self, vst3::IEventHandler* handler, vst3::FileDescriptor fd)
    {
        return loopOf(self).registerEventHandler(handler, fd);
    }

    static vst3::tresult unregisterEventHandler(void* self, vst3::IEventHandler* handler)
    {
        return loopOf(self).unregisterEventHandler(handler);
    }

    static vst3::tresult registerTimer(void* self, vst3::ITimerHandler* handler, vst3::TimerInterval milliseconds)
    {
        return loopOf(self).registerTimer(handler, milliseconds);
    }

    static vst3::tresult unregisterTimer(void* self, vst3::ITimerHandler* handler)
    {
        return loopOf(self).unregisterTimer(handler);
    }

    static constexpr vst3::IRunLoopVtable kVtable{unknownMethods<vst3::IRunLoop>(), registerEventHandler,
                                                  unregisterEventHandler, registerTimer, unregisterTimer};
};

Vst3RunLoop::Vst3RunLoop() : offered{{&Entries::kVtable}, this} {}

Vst3RunLoop::~Vst3RunLoop()
{
    for (const Watch& watch : watches)
        vst3::release(watch.handler);
    for (const auto& [id, handler] : timerHandlers)
        vst3::release(handler);
}

void* Vst3RunLoop::interfaceFor(const vst3::Tuid& iid)
{
    return iid == vst3::kIRunLoopIid ? &offered.view : nullptr;
}

vst3::tresult Vst3RunLoop::registerEventHandler(vst3::IEventHandler* handler, vst3::FileDescriptor fd)
{
#if defined(_WIN32)
    (void)handler;
    (void)fd;
    return vst3::kNotImplemented;
#else
    if (!checkOwnThread("IRunLoop::registerEventHandler"))
        return vst3::kResultFalse;
    if (handler == nullptr || fd < 0)
        return vst3::kInvalidArgument;
    if (isWatched({fd, handler}))
        return vst3::kResultFalse;
    vst3::addRef(handler);
    watches.push_back({fd, handler});
    return vst3::kResultOk;
#endif
}

vst3::tresult Vst3RunLoop::unregisterEventHandler(vst3::IEventHandler* handler)
{
    if (!checkOwnThread("IRunLoop::unregisterEventHandler"))
        return vst3::kResultFalse;
    const auto first = std::stable_partition(watches.begin(), watches.end(),
                                             [handler](const Watch& watch) { return watch.handler != handler; });
    if (first == watches.end())
        return vst3::kResultFalse;
    const auto released = static_cast<std::size_t>(watches.end() - first);
    watches.erase(first, watches.end());
    for (std::size_t i = 0; i < released; ++i)
        vst3::release(handler);
    return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::registerTimer(vst3::ITimerHandler* handler, vst3::TimerInterval milliseconds)
{
    if (!checkOwnThread("IRunLoop::registerTimer"))
        return vst3::kResultFalse;
    if (handler == nullptr || milliseconds == 0 || milliseconds > UINT32_MAX)
        return vst3::kInvalidArgument;
    vst3::addRef(handler);
    timerHandlers[timers.add(static_cast<std::uint32_t>(milliseconds), Clock::now())] = handler;
    return vst3::kResultOk;
}

vst3::tresult Vst3RunLoop::unregisterTimer(vst3::ITimerHandler* handler)
{
    if (!checkOwnThread("IRunLoop::unregisterTimer"))
        return vst3::kResultFalse;
    bool found = false;
    for (auto timer = timerHandlers.begin(); timer != timerHandlers.end();)
    {
        if (timer->second != handler)
        {
            ++timer;
            continue;
        }
        timers.remove(timer->first);
        timer = timerHandlers.erase(timer);
        vst3::release(handler);
        found = true;
    }
    return found ? vst3::kResultOk : vst3::kResultFalse;
}

bool Vst3RunLoop::isWatched(const Watch& watch) const
{
    return std::any_of(watches.begin(), watches.end(),
                       [&watch](const Watch& other) { return other.fd == watch.fd && other.handler == watch.handler; });
}

int Vst3RunLoop::pump(int timeoutMs)
{
    const int reported = pollDescriptors(timeoutMs);
    return reported + fireDueTimers(Clock::now());
}

int Vst3RunLoop::pollDescriptors(int timeoutMs)
{
#if defined(_WIN32)
    (void)timeoutMs;
    return 0;
#else
    if (watches.empty())
        return 0;
    const std::vector<Watch> polled = watches;
    std::vector<pollfd> entries;
    entries.reserve(polled.size());
    for (const Watch& watch : polled)
        entries.push_back({watch.fd, POLLIN, 0});
    if (poll(entries.data(), entries.size(), timeoutMs) <= 0)
        return 0;
    int reported = 0;
    for (std::size_t i = 0; i < polled.size(); ++i)
    {
        // Readable, or at its end or broken, which a read tells the handler; and only while
        // still registered, since an earlier handler may have unregistered it.
        if ((entries[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0 || !isWatched(polled[i]))
            continue;
        vst3::IEventHandler* handler = polled[i].handler;
        vst3::addRef(handler);
        handler->vtable->onFdIsSet(handler, polled[i].fd);
        vst3::release(handler);
        ++reported;
    }
    return reported;
#endif
}

int Vst3RunLoop::fireDueTimers(Clock::time_point now)
{
    int fired = 0;
    // A timer's handler may unregister itself or another that was due in the same turn.
    for (const clap::Id id : timers.takeDue(now))
    {
        const auto timer = timerHandlers.find(id);
        if (timer == timerHandlers.end())
            continue;
        vst3::ITimerHandler* handler = timer->second;
        vst3::addRef(handler);
        handler->vtable->onTimer(handler);
        vst3::release(handler);
        ++fired;
    }
    return fired;
}
