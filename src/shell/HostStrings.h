#pragma once

#include <cstddef>

// Host string buffer sizes we write into. Hosts allocate at least these in practice.
constexpr std::size_t kHostParameterTextSize = 28;
constexpr std::size_t kHostProgramNameSize = 32;
