#pragma once

#include <cstddef>
#include <string_view>

// Splits a help text into the information panel's lines. wrapAt(start) answers where the line
// starting at `start` ends (the font's 292-pixel rule); visit(line) receives each line. A line
// that ends at a line break or a blank skips that character; one cut inside a word continues
// with the rest of the word.
template <typename WrapAt, typename Visit> void forEachHelpLine(std::string_view text, WrapAt&& wrapAt, Visit&& visit)
{
    std::size_t start = 0;
    while (start < text.size())
    {
        const std::size_t end = wrapAt(start);
        if (end < start || end > text.size())
            return;
        visit(text.substr(start, end - start));
        if (end >= text.size())
            return;
        if (text[end] == '\n' || text[end] == ' ' || end <= start)
            start = end + 1;
        else
            start = end;
    }
}
