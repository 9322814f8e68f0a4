#pragma once

// The log extension: messages through the host's own log, from any thread.

#include "clap/ClapCore.h"

#include <cstdint>

namespace clap
{

constexpr char kExtLog[] = "clap.log";

using LogSeverity = std::int32_t;
constexpr LogSeverity kLogDebug = 0;
constexpr LogSeverity kLogInfo = 1;
constexpr LogSeverity kLogWarning = 2;
constexpr LogSeverity kLogError = 3;
constexpr LogSeverity kLogFatal = 4;
// For reporting the other side breaking the rules.
constexpr LogSeverity kLogHostMisbehaving = 5;
constexpr LogSeverity kLogPluginMisbehaving = 6;

struct HostLog
{
    void (*log)(const Host* host, LogSeverity severity, const char* message);
};

static_assert(sizeof(HostLog) == 8);

}  // namespace clap
