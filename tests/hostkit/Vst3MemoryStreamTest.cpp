#include "Vst3MemoryStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

namespace
{

std::vector<unsigned char> countingBytes(std::size_t count)
{
    std::vector<unsigned char> bytes(count);
    std::iota(bytes.begin(), bytes.end(), static_cast<unsigned char>(1));
    return bytes;
}

// The calls a plug-in makes, through the stream's table.
std::int32_t readThrough(vst3::IBStream* stream, void* buffer, std::int32_t count, vst3::tresult expected)
{
    std::int32_t done = -1;
    EXPECT_EQ(stream->vtable->read(stream, buffer, count, &done), expected);
    return done;
}

std::int32_t writeThrough(vst3::IBStream* stream, const std::string& text, vst3::tresult expected)
{
    std::int32_t done = -1;
    EXPECT_EQ(stream->vtable->write(stream, text.data(), static_cast<std::int32_t>(text.size()), &done), expected);
    return done;
}

std::int64_t seekThrough(vst3::IBStream* stream, std::int64_t position, std::int32_t mode, vst3::tresult expected)
{
    std::int64_t reached = -1;
    EXPECT_EQ(stream->vtable->seek(stream, position, mode, &reached), expected);
    return reached;
}

std::string textOf(const std::vector<unsigned char>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

TEST(Vst3MemoryStream, ReadsInOrderWithAShortReadAtTheEndThenNothing)
{
    const std::vector<unsigned char> content = countingBytes(10);
    Vst3MemoryStream memory(content);
    vst3::IBStream* stream = memory.stream();

    unsigned char buffer[4];
    std::vector<unsigned char> received;
    std::vector<std::int32_t> counts;
    for (int call = 0; call < 4; ++call)
    {
        const std::int32_t count = readThrough(stream, buffer, sizeof(buffer), vst3::kResultOk);
        counts.push_back(count);
        received.insert(received.end(), buffer, buffer + count);
    }
    EXPECT_EQ(counts, (std::vector<std::int32_t>{4, 4, 2, 0}));
    EXPECT_EQ(received, content);
    std::int64_t position = -1;
    EXPECT_EQ(stream->vtable->tell(stream, &position), vst3::kResultOk);
    EXPECT_EQ(position, 10);
    EXPECT_EQ(stream->vtable->read(stream, buffer, 1, nullptr), vst3::kResultOk) << "the count pointer may be null";
}

TEST(Vst3MemoryStream, WritesAtTheOnePositionOverwritingOrAppending)
{
    Vst3MemoryStream memory;
    vst3::IBStream* stream = memory.stream();
    EXPECT_EQ(writeThrough(stream, "abcdef", vst3::kResultOk), 6);
    EXPECT_EQ(seekThrough(stream, 2, vst3::kIBSeekSet, vst3::kResultOk), 2);
    EXPECT_EQ(writeThrough(stream, "XY", vst3::kResultOk), 2);
    EXPECT_EQ(textOf(memory.bytes()), "abXYef");
    EXPECT_EQ(seekThrough(stream, 0, vst3::kIBSeekEnd, vst3::kResultOk), 6);
    EXPECT_EQ(writeThrough(stream, "gh", vst3::kResultOk), 2);
    EXPECT_EQ(textOf(memory.bytes()), "abXYefgh");

    EXPECT_EQ(seekThrough(stream, -3, vst3::kIBSeekCur, vst3::kResultOk), 5);
    char tail[3];
    EXPECT_EQ(readThrough(stream, tail, 3, vst3::kResultOk), 3);
    EXPECT_EQ(std::string(tail, 3), "fgh");
}

TEST(Vst3MemoryStream, RefusesPositionsOutsideTheContentAndBadArgumentsWithoutMoving)
{
    Vst3MemoryStream memory(countingBytes(8));
    vst3::IBStream* stream = memory.stream();
    seekThrough(stream, 3, vst3::kIBSeekSet, vst3::kResultOk);
    seekThrough(stream, -4, vst3::kIBSeekCur, vst3::kInvalidArgument);
    seekThrough(stream, 1, vst3::kIBSeekEnd, vst3::kInvalidArgument);
    seekThrough(stream, 0, 3, vst3::kInvalidArgument);
    EXPECT_EQ(memory.position(), 3);

    unsigned char buffer[2];
    EXPECT_EQ(readThrough(stream, buffer, -1, vst3::kInvalidArgument), 0);
    EXPECT_EQ(readThrough(stream, nullptr, 2, vst3::kInvalidArgument), 0);
    EXPECT_EQ(stream->vtable->write(stream, nullptr, 2, nullptr), vst3::kInvalidArgument);
    EXPECT_EQ(stream->vtable->tell(stream, nullptr), vst3::kInvalidArgument);
    EXPECT_EQ(memory.position(), 3);
    EXPECT_EQ(memory.bytes(), countingBytes(8));
}

TEST(Vst3MemoryStream, AFailingStreamMovesTheBytesBeforeTheFaultThenRefuses)
{
    const std::vector<unsigned char> content = countingBytes(12);
    unsigned char buffer[16];
    Vst3MemoryStream reader(content);
    reader.failAfter(7);
    EXPECT_EQ(readThrough(reader.stream(), buffer, sizeof(buffer), vst3::kResultOk), 7);
    EXPECT_EQ(readThrough(reader.stream(), buffer, sizeof(buffer), vst3::kResultFalse), 0);
    EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + 7),
              std::vector<unsigned char>(content.begin(), content.begin() + 7));

    Vst3MemoryStream writer;
    writer.failAfter(7);
    EXPECT_EQ(writeThrough(writer.stream(), "abcde", vst3::kResultOk), 5);
    EXPECT_EQ(writeThrough(writer.stream(), "fghij", vst3::kResultOk), 2);
    EXPECT_EQ(writeThrough(writer.stream(), "k", vst3::kResultFalse), 0);
    EXPECT_EQ(textOf(writer.bytes()), "abcdefg");
}
