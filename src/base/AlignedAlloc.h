#pragma once

#include <cstddef>

// The one allocation routine for engine buffers, transform tables, image buffers and
// vertex arrays. Returns 16-byte aligned memory, or nullptr when the heap refuses (after
// telling the user); the caller must then fail its own operation. Never call it on the
// audio thread.
void* namedAlloc(std::size_t count, std::size_t elementSize, const char* name);

// Releases memory from namedAlloc; nullptr is ignored.
void alignedFree(void* memory);

// Typed convenience wrapper around namedAlloc.
template <typename T>
T* namedAllocArray(std::size_t count, const char* name)
{
    return static_cast<T*>(namedAlloc(count, sizeof(T), name));
}
