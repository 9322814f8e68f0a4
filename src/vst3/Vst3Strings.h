#pragma once

// Our names and texts are ASCII; the interface's user-visible texts are fixed UTF-16 fields.
// Both directions cut to the field and mark what is not ASCII with '?', so a mistake shows
// instead of turning into a misread byte.

#include "vst3/Vst3Types.h"

#include <cstddef>
#include <string>

namespace vst3
{

constexpr char kNotAscii = '?';

// Fills a field of `capacity` characters: as much of `ascii` as fits before the NUL, which
// is always written.
inline void copyAsciiToUtf16(const char* ascii, TChar* field, std::size_t capacity)
{
    if (capacity == 0)
        return;
    std::size_t length = 0;
    for (; ascii != nullptr && ascii[length] != '\0' && length + 1 < capacity; ++length)
    {
        const auto byte = static_cast<unsigned char>(ascii[length]);
        field[length] = byte < 0x80 ? static_cast<TChar>(byte) : static_cast<TChar>(kNotAscii);
    }
    field[length] = u'\0';
}

// The text of a field of `capacity` characters, up to its NUL or, where the other side left
// none, its end.
inline std::string utf16ToAscii(const TChar* field, std::size_t capacity)
{
    std::string text;
    for (std::size_t i = 0; field != nullptr && i < capacity && field[i] != u'\0'; ++i)
        text.push_back(field[i] < 0x80 ? static_cast<char>(field[i]) : kNotAscii);
    return text;
}

}  // namespace vst3
