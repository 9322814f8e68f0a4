#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

// A read position over bytes in memory. Every read is bounded by the end of the data, so
// malformed files can never make a reader look past it.
class ByteReader
{
public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::uint8_t> bytes) : data(bytes) {}

    std::size_t position() const { return cursor; }
    std::size_t size() const { return data.size(); }
    std::size_t remaining() const { return data.size() - cursor; }
    bool atEnd() const { return cursor == data.size(); }

    // Copies up to count bytes and moves past them; returns how many were copied.
    std::size_t read(void* destination, std::size_t count)
    {
        const std::size_t available = count < remaining() ? count : remaining();
        if (available > 0)
            std::memcpy(destination, data.data() + cursor, available);
        cursor += available;
        return available;
    }

    // Fixed-size little-endian values: when fewer bytes remain they yield 0 and the position
    // stays where it was.
    std::uint8_t readU8() { return static_cast<std::uint8_t>(readLittleEndian(1)); }
    std::uint16_t readU16() { return static_cast<std::uint16_t>(readLittleEndian(2)); }
    std::uint32_t readU32() { return static_cast<std::uint32_t>(readLittleEndian(4)); }
    // Big-endian, as the VST program files store their header.
    std::uint32_t readU32BigEndian()
    {
        if (remaining() < 4)
            return 0;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = (value << 8) | data[cursor + i];
        cursor += 4;
        return value;
    }
    float readF32()
    {
        const std::uint32_t bits = readU32();
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof(value));
        return value;
    }

    // Moves forward by count bytes, stopping at the end of the data.
    void skip(std::size_t count) { cursor += count < remaining() ? count : remaining(); }

    // Reads a NUL-terminated string of at most maxBytes bytes, the NUL included; stops early at
    // the end of the data. Keeps at most maxBytes - 1 characters.
    std::string readCString(std::size_t maxBytes)
    {
        std::string text;
        for (std::size_t consumed = 0; consumed < maxBytes && !atEnd(); ++consumed)
        {
            const char c = static_cast<char>(data[cursor++]);
            if (c == '\0')
                break;
            if (consumed + 1 < maxBytes)
                text.push_back(c);
        }
        return text;
    }

private:
    std::uint64_t readLittleEndian(std::size_t byteCount)
    {
        if (remaining() < byteCount)
            return 0;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < byteCount; ++i)
            value |= std::uint64_t{data[cursor + i]} << (8 * i);
        cursor += byteCount;
        return value;
    }

    std::span<const std::uint8_t> data;
    std::size_t cursor = 0;
};
