#pragma once

// The tail extension: how long the output rings on after the input falls silent.

#include "clap/ClapCore.h"

#include <cstdint>

namespace clap
{

constexpr char kExtTail[] = "clap.tail";

struct PluginTail
{
    std::uint32_t (*get)(const Plugin* plugin);  // in samples; INT32_MAX and above: endless
};

static_assert(sizeof(PluginTail) == 8);

}  // namespace clap
