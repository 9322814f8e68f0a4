#include "ClapMemoryStreams.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

namespace
{

std::vector<unsigned char> countingBytes(std::size_t count)
{
    std::vector<unsigned char> bytes(count);
    std::iota(bytes.begin(), bytes.end(), static_cast<unsigned char>(1));
    return bytes;
}

}  // namespace

TEST(ClapMemoryStreams, AReaderDeliversAtMostOnePieceACallThenTheEnd)
{
    const std::vector<unsigned char> content = countingBytes(23);
    ClapMemoryReader reader(content, 5);
    const clap::InputStream* stream = reader.stream();

    std::vector<unsigned char> received;
    std::vector<std::int64_t> counts;
    unsigned char buffer[8];
    for (;;)
    {
        const std::int64_t count = stream->read(stream, buffer, sizeof(buffer));
        counts.push_back(count);
        if (count <= 0)
            break;
        received.insert(received.end(), buffer, buffer + count);
    }
    EXPECT_EQ(counts, (std::vector<std::int64_t>{5, 5, 5, 5, 3, 0}));
    EXPECT_EQ(received, content);
    EXPECT_EQ(stream->read(stream, buffer, sizeof(buffer)), 0) << "the end stays the end";

    ClapMemoryReader small(content, 5);
    EXPECT_EQ(small.stream()->read(small.stream(), buffer, 2), 2) << "never more than asked";
    EXPECT_EQ(small.position(), 2u);
    EXPECT_EQ(small.stream()->read(small.stream(), nullptr, 4), -1);
}

TEST(ClapMemoryStreams, AWriterTakesAtMostOnePieceACallAndKeepsTheBytesInOrder)
{
    ClapMemoryWriter writer(3);
    const clap::OutputStream* stream = writer.stream();
    const std::vector<unsigned char> content = countingBytes(10);

    std::size_t sent = 0;
    std::vector<std::int64_t> counts;
    while (sent < content.size())
    {
        const std::int64_t count = stream->write(stream, content.data() + sent, content.size() - sent);
        counts.push_back(count);
        ASSERT_GT(count, 0);
        sent += static_cast<std::size_t>(count);
    }
    EXPECT_EQ(counts, (std::vector<std::int64_t>{3, 3, 3, 1}));
    EXPECT_EQ(writer.bytes(), content);
}

TEST(ClapMemoryStreams, AFailingStreamMovesTheBytesBeforeTheFaultThenAnswersMinusOne)
{
    const std::vector<unsigned char> content = countingBytes(12);
    unsigned char buffer[16];

    ClapMemoryReader reader(content);
    reader.failAfter(7);
    EXPECT_EQ(reader.stream()->read(reader.stream(), buffer, sizeof(buffer)), 7);
    EXPECT_EQ(reader.stream()->read(reader.stream(), buffer, sizeof(buffer)), -1);
    EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + 7),
              std::vector<unsigned char>(content.begin(), content.begin() + 7));

    ClapMemoryWriter writer;
    writer.failAfter(7);
    EXPECT_EQ(writer.stream()->write(writer.stream(), content.data(), content.size()), 7);
    EXPECT_EQ(writer.stream()->write(writer.stream(), content.data(), 1), -1);
    EXPECT_EQ(writer.bytes().size(), 7u);
}
