#pragma once

#include <cstddef>

// Copies text into a buffer of `capacity` bytes: at most capacity - 1 characters, always
// NUL-terminated. Null buffers are skipped.
void copyBounded(char* destination, const char* source, std::size_t capacity);
