#include "Vst3MemoryStream.h"

#include <algorithm>
#include <cstring>
#include <utility>

struct Vst3MemoryStream::Entries
{
    static Vst3MemoryStream& streamOf(void* self) { return objectOf<Vst3MemoryStream, vst3::IBStream>(self); }

    static vst3::tresult read(void* self, void* buffer, std::int32_t byteCount, std::int32_t* bytesRead)
    {
        return streamOf(self).read(buffer, byteCount, bytesRead);
    }

    static vst3::tresult write(void* self, const void* buffer, std::int32_t byteCount, std::int32_t* bytesWritten)
    {
        return streamOf(self).write(buffer, byteCount, bytesWritten);
    }

    static vst3::tresult seek(void* self, std::int64_t position, std::int32_t mode, std::int64_t* newPosition)
    {
        return streamOf(self).seek(position, mode, newPosition);
    }

    static vst3::tresult tell(void* self, std::int64_t* position) { return streamOf(self).tell(position); }

    static constexpr vst3::IBStreamVtable kVtable{unknownMethods<vst3::IBStream>(), read, write, seek, tell};
};

Vst3MemoryStream::Vst3MemoryStream(std::vector<unsigned char> bytes)
    : content(std::move(bytes)), offered{{&Entries::kVtable}, this}
{
}

void* Vst3MemoryStream::interfaceFor(const vst3::Tuid& iid)
{
    return iid == vst3::kIBStreamIid ? &offered.view : nullptr;
}

std::size_t Vst3MemoryStream::allowance(std::int32_t byteCount) const
{
    const std::size_t left = failPosition > moved ? failPosition - moved : 0;
    return std::min(static_cast<std::size_t>(byteCount), left);
}

vst3::tresult Vst3MemoryStream::read(void* buffer, std::int32_t byteCount, std::int32_t* bytesRead)
{
    if (bytesRead != nullptr)
        *bytesRead = 0;
    if (byteCount < 0 || (buffer == nullptr && byteCount > 0))
        return vst3::kInvalidArgument;
    if (moved >= failPosition)
        return vst3::kResultFalse;
    const auto start = static_cast<std::size_t>(streamPosition);
    const std::size_t length = std::min(allowance(byteCount), content.size() - start);
    if (length > 0)
        std::memcpy(buffer, content.data() + start, length);
    streamPosition += static_cast<std::int64_t>(length);
    moved += length;
    if (bytesRead != nullptr)
        *bytesRead = static_cast<std::int32_t>(length);
    return vst3::kResultOk;
}

vst3::tresult Vst3MemoryStream::write(const void* buffer, std::int32_t byteCount, std::int32_t* bytesWritten)
{
    if (bytesWritten != nullptr)
        *bytesWritten = 0;
    if (byteCount < 0 || (buffer == nullptr && byteCount > 0))
        return vst3::kInvalidArgument;
    if (moved >= failPosition)
        return vst3::kResultFalse;
    const auto start = static_cast<std::size_t>(streamPosition);
    const std::size_t length = allowance(byteCount);
    if (content.size() < start + length)
        content.resize(start + length);
    if (length > 0)
        std::memcpy(content.data() + start, buffer, length);
    streamPosition += static_cast<std::int64_t>(length);
    moved += length;
    if (bytesWritten != nullptr)
        *bytesWritten = static_cast<std::int32_t>(length);
    return vst3::kResultOk;
}

vst3::tresult Vst3MemoryStream::seek(std::int64_t position, std::int32_t mode, std::int64_t* newPosition)
{
    std::int64_t origin = 0;
    switch (mode)
    {
    case vst3::kIBSeekSet: origin = 0; break;
    case vst3::kIBSeekCur: origin = streamPosition; break;
    case vst3::kIBSeekEnd: origin = static_cast<std::int64_t>(content.size()); break;
    default: return vst3::kInvalidArgument;
    }
    const auto size = static_cast<std::int64_t>(content.size());
    if (position < -origin || position > size - origin)
        return vst3::kInvalidArgument;
    streamPosition = origin + position;
    if (newPosition != nullptr)
        *newPosition = streamPosition;
    return vst3::kResultOk;
}

vst3::tresult Vst3MemoryStream::tell(std::int64_t* position)
{
    if (position == nullptr)
        return vst3::kInvalidArgument;
    *position = streamPosition;
    return vst3::kResultOk;
}
