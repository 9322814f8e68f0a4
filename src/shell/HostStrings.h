#pragma once

#include <cstddef>

// Copies text into a buffer of `capacity` bytes: at most capacity - 1 characters, always
// NUL-terminated. Null buffers are skipped.
void copyBounded(char* destination, const char* source, std::size_t capacity);

// Host string buffer sizes we write into. Hosts allocate at least these in practice.
constexpr std::size_t kHostParameterTextSize = 28;
constexpr std::size_t kHostProgramNameSize = 32;
