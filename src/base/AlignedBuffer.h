#pragma once

#include "base/AlignedAlloc.h"

#include <cstddef>
#include <cstring>
#include <utility>

// Owns one 16-byte aligned array from namedAlloc.
template <typename T>
class AlignedBuffer
{
public:
    AlignedBuffer() = default;
    AlignedBuffer(const AlignedBuffer&) = delete;
    AlignedBuffer& operator=(const AlignedBuffer&) = delete;
    AlignedBuffer(AlignedBuffer&& other) noexcept { swap(other); }
    AlignedBuffer& operator=(AlignedBuffer&& other) noexcept
    {
        AlignedBuffer(std::move(other)).swap(*this);
        return *this;
    }
    ~AlignedBuffer() { alignedFree(elements); }

    // Allocates count zeroed elements; false (and empty) when the heap refuses.
    bool allocate(std::size_t count, const char* name)
    {
        AlignedBuffer fresh;
        fresh.elements = namedAllocArray<T>(count, name);
        if (fresh.elements == nullptr)
            return false;
        fresh.length = count;
        std::memset(static_cast<void*>(fresh.elements), 0, count * sizeof(T));
        swap(fresh);
        return true;
    }

    T* data() { return elements; }
    const T* data() const { return elements; }
    std::size_t size() const { return length; }
    T& operator[](std::size_t i) { return elements[i]; }
    const T& operator[](std::size_t i) const { return elements[i]; }

private:
    void swap(AlignedBuffer& other) noexcept
    {
        std::swap(elements, other.elements);
        std::swap(length, other.length);
    }

    T* elements = nullptr;
    std::size_t length = 0;
};
