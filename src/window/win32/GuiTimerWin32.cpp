#include "window/GuiTimer.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace platform
{

namespace
{

struct RunningTimer
{
    UINT_PTR id;
    GuiTimer::Callback callback;
    void* context;
};

// A thread timer names itself only by its id: the running ones of this GUI thread.
std::vector<RunningTimer>& runningTimers()
{
    thread_local std::vector<RunningTimer> timers;
    return timers;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    const std::vector<RunningTimer>& timers = runningTimers();
    const auto found = std::find_if(timers.begin(), timers.end(), [id](const RunningTimer& t) { return t.id == id; });
    if (found != timers.end())
        found->callback(found->context);
}

}  // namespace

bool GuiTimer::start(unsigned periodMs, Callback callback, void* context)
{
    stop();
    try
    {
        runningTimers().reserve(runningTimers().size() + 1);
    }
    catch (...)
    {
        return false;
    }
    const UINT_PTR made = SetTimer(nullptr, 0, periodMs, onTimer);
    if (made == 0)
        return false;
    runningTimers().push_back({made, callback, context});
    id = made;
    return true;
}

void GuiTimer::stop()
{
    if (id == 0)
        return;
    KillTimer(nullptr, id);
    std::vector<RunningTimer>& timers = runningTimers();
    timers.erase(std::remove_if(timers.begin(), timers.end(), [this](const RunningTimer& t) { return t.id == id; }),
                 timers.end());
    id = 0;
}

}  // namespace platform
