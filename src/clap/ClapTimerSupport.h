#pragma once

// The timer-support extension: periodic calls on the main thread from the host's own loop.

#include "clap/ClapCore.h"

#include <cstddef>
#include <cstdint>

namespace clap
{

constexpr char kExtTimerSupport[] = "clap.timer-support";

struct PluginTimerSupport
{
    void (*onTimer)(const Plugin* plugin, Id timerId);
};

// The host may lengthen a very short period; 30 Hz is always allowed.
struct HostTimerSupport
{
    bool (*registerTimer)(const Host* host, std::uint32_t periodMs, Id* timerId);
    bool (*unregisterTimer)(const Host* host, Id timerId);
};

static_assert(sizeof(PluginTimerSupport) == 8);
static_assert(sizeof(HostTimerSupport) == 16 && offsetof(HostTimerSupport, unregisterTimer) == 8);

}  // namespace clap
