#pragma once

#include "support/FileBytes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reading the files' fields by hand, independently of the readers under test.
inline std::uint32_t bigEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return (std::uint32_t{bytes.at(offset)} << 24) | (std::uint32_t{bytes.at(offset + 1)} << 16) |
           (std::uint32_t{bytes.at(offset + 2)} << 8) | std::uint32_t{bytes.at(offset + 3)};
}

inline std::uint64_t littleEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}

inline std::string textAt(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t count)
{
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}
