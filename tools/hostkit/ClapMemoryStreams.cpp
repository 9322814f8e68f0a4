#include "ClapMemoryStreams.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace
{

constexpr std::int64_t kStreamError = -1;

std::int64_t readThrough(const clap::InputStream* stream, void* buffer, std::uint64_t size)
{
    return static_cast<ClapMemoryReader*>(stream->ctx)->read(buffer, size);
}

std::int64_t writeThrough(const clap::OutputStream* stream, const void* buffer, std::uint64_t size)
{
    return static_cast<ClapMemoryWriter*>(stream->ctx)->write(buffer, size);
}

// How many bytes one call moves: what was asked, within the piece size and what is left
// before the end (or the failure point).
std::size_t pieceLength(std::uint64_t asked, std::size_t pieceSize, std::size_t available)
{
    return static_cast<std::size_t>(std::min<std::uint64_t>({asked, pieceSize, available}));
}

}  // namespace

ClapMemoryReader::ClapMemoryReader(std::vector<unsigned char> content, std::size_t piece)
    : bytes(std::move(content)), pieceSize(piece), view{this, readThrough}
{
}

std::int64_t ClapMemoryReader::read(void* buffer, std::uint64_t size)
{
    if (readPosition >= failPosition || (buffer == nullptr && size > 0))
        return kStreamError;
    const std::size_t end = std::min(bytes.size(), failPosition);
    const std::size_t length = pieceLength(size, pieceSize, end - readPosition);
    if (length > 0)
        std::memcpy(buffer, bytes.data() + readPosition, length);
    readPosition += length;
    return static_cast<std::int64_t>(length);
}

ClapMemoryWriter::ClapMemoryWriter(std::size_t piece) : pieceSize(piece), view{this, writeThrough} {}

std::int64_t ClapMemoryWriter::write(const void* buffer, std::uint64_t size)
{
    if (written.size() >= failPosition || (buffer == nullptr && size > 0))
        return kStreamError;
    const std::size_t length = pieceLength(size, pieceSize, failPosition - written.size());
    const auto* source = static_cast<const unsigned char*>(buffer);
    written.insert(written.end(), source, source + length);
    return static_cast<std::int64_t>(length);
}
