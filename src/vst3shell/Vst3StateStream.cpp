#include "vst3shell/Vst3StateStream.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace
{

constexpr std::size_t kLargestCall = std::numeric_limits<std::int32_t>::max();

// Up to `wanted` bytes; how many came, 0 at the end or on an error.
std::size_t readSome(vst3::IBStream& stream, unsigned char* into, std::size_t wanted)
{
    std::int32_t got = 0;
    const auto asked = static_cast<std::int32_t>(std::min(wanted, kLargestCall));
    if (stream.vtable->read(&stream, into, asked, &got) != vst3::kResultOk || got < 0 || got > asked)
        return 0;
    return static_cast<std::size_t>(got);
}

}  // namespace

bool writeWhole(vst3::IBStream& stream, const void* bytes, std::size_t size)
{
    const auto* next = static_cast<const unsigned char*>(bytes);
    while (size > 0)
    {
        std::int32_t written = 0;
        const auto asked = static_cast<std::int32_t>(std::min(size, kLargestCall));
        if (stream.vtable->write(&stream, next, asked, &written) != vst3::kResultOk || written <= 0 ||
            written > asked)
            return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool readExactly(vst3::IBStream& stream, void* buffer, std::size_t size)
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (std::size_t count = 0; count < size;)
    {
        const std::size_t got = readSome(stream, bytes + count, size - count);
        if (got == 0)
            return false;
        count += got;
    }
    // One byte more tells a stream that ends here from a longer one.
    unsigned char probe = 0;
    return readSome(stream, &probe, 1) == 0;
}
