#include "vst3shell/Vst3StateStream.h"

#include <algorithm>
#include <limits>

namespace
{

// IBStream counts in 32 bits: a larger request goes in several calls.
constexpr std::size_t kLargestCall = std::numeric_limits<std::int32_t>::max();

std::int64_t writeSome(void* context, const void* bytes, std::size_t size)
{
    auto& stream = *static_cast<vst3::IBStream*>(context);
    std::int32_t written = 0;
    const auto asked = static_cast<std::int32_t>(std::min(size, kLargestCall));
    if (stream.vtable->write(&stream, bytes, asked, &written) != vst3::kResultOk || written > asked)
        return -1;
    return written;
}

std::int64_t readSome(void* context, void* into, std::size_t size)
{
    auto& stream = *static_cast<vst3::IBStream*>(context);
    std::int32_t got = 0;
    const auto asked = static_cast<std::int32_t>(std::min(size, kLargestCall));
    if (stream.vtable->read(&stream, into, asked, &got) != vst3::kResultOk || got < 0 || got > asked)
        return 0;
    return got;
}

}  // namespace

StateWriter stateWriterOf(vst3::IBStream& stream)
{
    return {&stream, writeSome};
}

StateReader stateReaderOf(vst3::IBStream& stream)
{
    return {&stream, readSome};
}
