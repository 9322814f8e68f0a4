// libFuzzer target: arbitrary bytes as ".fnt" text, then measured, wrapped and turned into
// glyph quads as the editor does with its help texts.
#include "glgui/BitmapFont.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Deliberately not NUL-terminated: the parser must stop at the end of the view.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const BitmapFont font = parseBitmapFont(text);

    measureText(font, text);
    // Wrap the text line by line as the help panel does; every line must make progress.
    std::size_t start = 0;
    while (start < text.size())
    {
        const std::size_t end = wrapPosition(font, text, start);
        if (end < start || end > text.size())
            std::abort();
        if (end == text.size())
            break;
        const std::size_t next = text[end] == '\n' || text[end] == ' ' ? end + 1 : end;
        if (next <= start)
            std::abort();
        start = next;
    }
    for (std::size_t code = 0; code < BitmapFont::kGlyphCount; ++code)
        glyphQuad(font, static_cast<unsigned char>(code));
    return 0;
}
