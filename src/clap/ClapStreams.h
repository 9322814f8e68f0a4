#pragma once

// The byte streams CLAP hands over for saving and loading state. A call may move fewer
// bytes than asked, so readers and writers loop until done.

#include <cstddef>
#include <cstdint>

namespace clap
{

struct InputStream
{
    void* ctx;
    // Bytes read; 0 at the end of the stream, -1 on a read error.
    std::int64_t (*read)(const InputStream* stream, void* buffer, std::uint64_t size);
};

struct OutputStream
{
    void* ctx;
    // Bytes written; -1 on a write error.
    std::int64_t (*write)(const OutputStream* stream, const void* buffer, std::uint64_t size);
};

static_assert(sizeof(InputStream) == 16 && offsetof(InputStream, read) == 8);
static_assert(sizeof(OutputStream) == 16 && offsetof(OutputStream, write) == 8);

}  // namespace clap
