#pragma once

#include <string>
#include <string_view>

// Skin file names, texture names and material names compare without regard to letter case.
// Only ASCII letters change, so the result never depends on the user's locale.
inline std::string toLowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
    {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}
