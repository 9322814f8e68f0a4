#pragma once

#include "clap/ClapStreams.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// State streams over memory, as a host hands them to a plug-in's save and load. Hosts may
// move fewer bytes per call than asked; pieceSize caps every call so a test can make a
// plug-in loop over small pieces. failAfter makes the stream fail (answer -1) once that many
// bytes have gone through, as a broken disk or network would.
constexpr std::size_t kWholeStream = std::numeric_limits<std::size_t>::max();

class ClapMemoryReader
{
public:
    explicit ClapMemoryReader(std::vector<unsigned char> bytes, std::size_t pieceSize = kWholeStream);
    // The CLAP view points back at this object.
    ClapMemoryReader(const ClapMemoryReader&) = delete;
    ClapMemoryReader& operator=(const ClapMemoryReader&) = delete;

    void failAfter(std::size_t byteCount) { failPosition = byteCount; }
    const clap::InputStream* stream() const { return &view; }
    std::size_t position() const { return readPosition; }

    std::int64_t read(void* buffer, std::uint64_t size);

private:
    std::vector<unsigned char> bytes;
    std::size_t pieceSize;
    std::size_t failPosition = kWholeStream;
    std::size_t readPosition = 0;
    clap::InputStream view;
};

class ClapMemoryWriter
{
public:
    explicit ClapMemoryWriter(std::size_t pieceSize = kWholeStream);
    ClapMemoryWriter(const ClapMemoryWriter&) = delete;
    ClapMemoryWriter& operator=(const ClapMemoryWriter&) = delete;

    void failAfter(std::size_t byteCount) { failPosition = byteCount; }
    const clap::OutputStream* stream() const { return &view; }
    const std::vector<unsigned char>& bytes() const { return written; }

    std::int64_t write(const void* buffer, std::uint64_t size);

private:
    std::vector<unsigned char> written;
    std::size_t pieceSize;
    std::size_t failPosition = kWholeStream;
    clap::OutputStream view;
};
