#include "base/ByteReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace
{

constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

}  // namespace

TEST(ByteReader, ReadsLittleEndianValues)
{
    const std::vector<std::uint8_t> bytes = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0xC0, 0x3F, 0xFE};
    ByteReader reader(bytes);
    EXPECT_EQ(reader.readU16(), 0x1234);
    EXPECT_EQ(reader.readU32(), 0x12345678u);
    EXPECT_EQ(reader.readF32(), 1.5f);
    EXPECT_EQ(reader.readU8(), 0xFE);
    EXPECT_TRUE(reader.atEnd());
}

TEST(ByteReader, ReadsBigEndianWords)
{
    const std::vector<std::uint8_t> bytes = {0x43, 0x63, 0x6E, 0x4B, 0x00, 0x00, 0x0A};
    ByteReader reader(bytes);
    EXPECT_EQ(reader.readU32BigEndian(), 0x43636E4Bu);
    EXPECT_EQ(reader.readU32BigEndian(), 0u);
    EXPECT_EQ(reader.position(), 4u);
}

TEST(ByteReader, ValuesPastTheEndReadAsZeroWithoutMoving)
{
    const std::vector<std::uint8_t> bytes = {0x01, 0x02, 0x03};
    ByteReader reader(bytes);
    EXPECT_EQ(reader.readU32(), 0u);
    EXPECT_EQ(reader.position(), 0u);
    EXPECT_EQ(reader.readU16(), 0x0201);
    EXPECT_EQ(reader.readU16(), 0);
    EXPECT_EQ(reader.readF32(), 0.0f);
    EXPECT_EQ(reader.position(), 2u);
    EXPECT_EQ(reader.readU8(), 0x03);
    EXPECT_EQ(reader.readU8(), 0);
    EXPECT_TRUE(reader.atEnd());
}

TEST(ByteReader, CopiesAndSkipsNoFurtherThanTheEnd)
{
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 4, 5};
    ByteReader reader(bytes);
    reader.skip(1);
    std::uint8_t copied[8] = {};
    EXPECT_EQ(reader.read(copied, sizeof(copied)), 4u);
    EXPECT_EQ(copied[0], 2);
    EXPECT_EQ(copied[3], 5);
    EXPECT_EQ(copied[4], 0) << "nothing written past what was there";
    EXPECT_TRUE(reader.atEnd());

    ByteReader skipping(bytes);
    skipping.skip(0xFFFFFFFFu);
    EXPECT_EQ(skipping.position(), bytes.size());
}

TEST(ByteReader, CStringsEndAtTheirNulTheLimitOrTheData)
{
    const std::vector<std::uint8_t> terminated = bytesOf(std::string_view("abc\0def", 7));
    ByteReader reader(terminated);
    EXPECT_EQ(reader.readCString(kNoLimit), "abc");
    EXPECT_EQ(reader.position(), 4u) << "the NUL is consumed";
    EXPECT_EQ(reader.readCString(kNoLimit), "def");
    EXPECT_TRUE(reader.atEnd());

    const std::vector<std::uint8_t> unterminated = bytesOf("abcdefghij");
    ByteReader limited(unterminated);
    EXPECT_EQ(limited.readCString(5), "abcd") << "5 bytes including the NUL keep 4 characters";
    EXPECT_EQ(limited.position(), 5u);
}
