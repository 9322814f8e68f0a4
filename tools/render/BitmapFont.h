#pragma once

#include <cstdint>

// A 5 x 7 pixel font for the printable ASCII characters, drawn for the report's picture so it
// needs no font file. Each glyph is seven rows, top first; bit 4 of a row is its left pixel.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
// A character's advance: its width and one pixel of space.
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// The rows of character c; characters outside ' '..'~' draw as '?'.
const std::uint8_t* glyphRows(char c);
