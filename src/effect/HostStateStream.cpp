#include "effect/HostStateStream.h"

bool writeAll(const StateWriter& writer, const void* bytes, std::size_t size)
{
    const auto* next = static_cast<const unsigned char*>(bytes);
    while (size > 0)
    {
        const std::int64_t written = writer.writeSome(writer.stream, next, size);
        if (written <= 0 || static_cast<std::uint64_t>(written) > size)
            return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool readExactly(const StateReader& reader, void* buffer, std::size_t size)
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (std::size_t count = 0; count < size;)
    {
        const std::size_t wanted = size - count;
        const std::int64_t got = reader.readSome(reader.stream, bytes + count, wanted);
        if (got <= 0 || static_cast<std::uint64_t>(got) > wanted)
            return false;
        count += static_cast<std::size_t>(got);
    }
    // One byte more tells a stream that ends here from a longer one.
    unsigned char probe = 0;
    return reader.readSome(reader.stream, &probe, 1) == 0;
}
