#pragma once

#include "HostWindow.h"
#include "PluginHost.h"

#include <chrono>
#include <thread>

// Host idle calls about every 20 ms with the window's messages delivered, as a DAW makes them.
inline void idleEditor(HostWindow& window, EffectInstance& instance, int calls)
{
    for (int i = 0; i < calls; ++i)
    {
        window.pumpMessages();
        instance.dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
