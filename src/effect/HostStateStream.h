#pragma once

#include <cstddef>
#include <cstdint>

// A host's state stream as the one loop over it sees it, whatever the format calls it: each
// call moves up to `size` bytes and answers how many, 0 at the stream's end and a negative
// count on an error. A host's stream may move fewer bytes per call than asked, so both
// sides loop.
struct StateWriter
{
    void* stream;
    std::int64_t (*writeSome)(void* stream, const void* bytes, std::size_t size);
};

struct StateReader
{
    void* stream;
    std::int64_t (*readSome)(void* stream, void* into, std::size_t size);
};

// Writes all `size` bytes; false when the stream reports an error or stops taking bytes.
bool writeAll(const StateWriter& writer, const void* bytes, std::size_t size);

// Reads exactly `size` bytes and makes sure nothing follows them; false for a stream that
// ends sooner, reports an error, or holds more.
bool readExactly(const StateReader& reader, void* buffer, std::size_t size);
