#pragma once

// The posix-fd-support extension: file descriptors the host watches in its own loop and
// reports on the main thread (how an X11 connection is served without a thread of our own).

#include "clap/ClapCore.h"

#include <cstddef>
#include <cstdint>

namespace clap
{

constexpr char kExtPosixFdSupport[] = "clap.posix-fd-support";

// What to watch for, and what happened.
using PosixFdFlags = std::uint32_t;
constexpr PosixFdFlags kPosixFdRead = 1u << 0;
constexpr PosixFdFlags kPosixFdWrite = 1u << 1;
constexpr PosixFdFlags kPosixFdError = 1u << 2;

// Level-triggered: onFd comes again while the condition lasts.
struct PluginPosixFdSupport
{
    void (*onFd)(const Plugin* plugin, int fd, PosixFdFlags flags);
};

struct HostPosixFdSupport
{
    bool (*registerFd)(const Host* host, int fd, PosixFdFlags flags);
    bool (*modifyFd)(const Host* host, int fd, PosixFdFlags flags);
    bool (*unregisterFd)(const Host* host, int fd);
};

static_assert(sizeof(PluginPosixFdSupport) == 8);
static_assert(sizeof(HostPosixFdSupport) == 24);
static_assert(offsetof(HostPosixFdSupport, modifyFd) == 8 && offsetof(HostPosixFdSupport, unregisterFd) == 16);

}  // namespace clap
