// The one loop every format's state goes through, over a host stream that hands bytes over in
// pieces, breaks off or reports an error: only exactly the bytes asked for, with nothing after
// them, are read; a writer that stops taking bytes fails the save.
#include "effect/HostStateStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{

// A host's stream over memory: at most `piece` bytes a call, and an error once `failAt`
// bytes have moved.
struct PiecedStream
{
    std::vector<unsigned char> bytes;
    std::size_t piece = 1;
    std::size_t failAt = SIZE_MAX;
    std::size_t position = 0;

    std::int64_t move(std::size_t size)
    {
        if (position >= failAt)
            return -1;
        return static_cast<std::int64_t>(std::min({size, piece, failAt - position}));
    }

    static std::int64_t read(void* context, void* into, std::size_t size)
    {
        auto& stream = *static_cast<PiecedStream*>(context);
        std::int64_t count = stream.move(std::min(size, stream.bytes.size() - stream.position));
        if (count > 0)
            std::memcpy(into, stream.bytes.data() + stream.position, static_cast<std::size_t>(count));
        stream.position += static_cast<std::size_t>(std::max<std::int64_t>(count, 0));
        return count;
    }

    static std::int64_t write(void* context, const void* from, std::size_t size)
    {
        auto& stream = *static_cast<PiecedStream*>(context);
        const std::int64_t count = stream.move(size);
        if (count > 0)
        {
            const auto* first = static_cast<const unsigned char*>(from);
            stream.bytes.insert(stream.bytes.end(), first, first + count);
            stream.position += static_cast<std::size_t>(count);
        }
        return count;
    }

    StateReader reader() { return {this, read}; }
    StateWriter writer() { return {this, write}; }
};

std::vector<unsigned char> counting(std::size_t size)
{
    std::vector<unsigned char> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(i * 7 + 1);
    return bytes;
}

constexpr std::size_t kSize = 2724;

TEST(HostStateStream, ReadsExactlyTheBytesInAnyPieces)
{
    for (const std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{1000}, kSize, kSize + 1})
    {
        PiecedStream stream{counting(kSize), piece};
        std::vector<unsigned char> read(kSize);
        EXPECT_TRUE(readExactly(stream.reader(), read.data(), read.size())) << piece;
        EXPECT_EQ(read, stream.bytes) << piece;
    }
}

TEST(HostStateStream, RefusesAStreamThatEndsSoonerOrHoldsMore)
{
    std::vector<unsigned char> read(kSize);
    PiecedStream shorter{counting(kSize - 1), 100};
    EXPECT_FALSE(readExactly(shorter.reader(), read.data(), read.size()));
    PiecedStream longer{counting(kSize + 1), 100};
    EXPECT_FALSE(readExactly(longer.reader(), read.data(), read.size()));
}

// An error before the last byte, or where the end should be, may hide more: refused alike.
TEST(HostStateStream, RefusesAStreamThatReportsAnError)
{
    std::vector<unsigned char> read(kSize);
    for (const std::size_t failAt : {std::size_t{0}, std::size_t{500}, kSize - 1, kSize})
    {
        PiecedStream stream{counting(kSize), 64, failAt};
        EXPECT_FALSE(readExactly(stream.reader(), read.data(), read.size())) << failAt;
    }
}

TEST(HostStateStream, WritesAllBytesInPieces)
{
    const std::vector<unsigned char> state = counting(kSize);
    PiecedStream stream{{}, 5};
    EXPECT_TRUE(writeAll(stream.writer(), state.data(), state.size()));
    EXPECT_EQ(stream.bytes, state);
}

TEST(HostStateStream, FailsWhenTheStreamStopsTakingBytes)
{
    const std::vector<unsigned char> state = counting(kSize);
    PiecedStream failing{{}, 64, 1000};
    EXPECT_FALSE(writeAll(failing.writer(), state.data(), state.size()));
    // A stream that takes nothing more without an error would make the loop spin for ever.
    PiecedStream full{{}, 0};
    EXPECT_FALSE(writeAll(full.writer(), state.data(), state.size()));
}

}  // namespace
