#pragma once

// The thread-check extension: the host says whether the calling thread is its main thread
// or its audio thread, so the plug-in can check the threading contract as it runs.

#include "clap/ClapCore.h"

#include <cstddef>

namespace clap
{

constexpr char kExtThreadCheck[] = "clap.thread-check";

struct HostThreadCheck
{
    bool (*isMainThread)(const Host* host);
    bool (*isAudioThread)(const Host* host);
};

static_assert(sizeof(HostThreadCheck) == 16 && offsetof(HostThreadCheck, isAudioThread) == 8);

}  // namespace clap
