#include "clapshell/ClapStateStream.h"

#include <cstdint>

bool writeWhole(const clap::OutputStream& stream, const void* bytes, std::size_t size)
{
    if (stream.write == nullptr)
        return false;
    const auto* next = static_cast<const unsigned char*>(bytes);
    while (size > 0)
    {
        const std::int64_t written = stream.write(&stream, next, size);
        if (written <= 0 || static_cast<std::uint64_t>(written) > size)
            return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::optional<std::size_t> readWhole(const clap::InputStream& stream, void* buffer, std::size_t capacity)
{
    if (stream.read == nullptr)
        return std::nullopt;
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t count = 0;
    for (;;)
    {
        // Once the buffer is full, one byte more tells a stream that ends there from a longer one.
        unsigned char probe = 0;
        unsigned char* into = count < capacity ? bytes + count : &probe;
        const std::size_t wanted = count < capacity ? capacity - count : 1;
        const std::int64_t got = stream.read(&stream, into, wanted);
        if (got == 0)
            return count;
        if (got < 0 || static_cast<std::uint64_t>(got) > wanted || count == capacity)
            return std::nullopt;
        count += static_cast<std::size_t>(got);
    }
}
