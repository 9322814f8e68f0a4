#include "glgui/BitmapFont.h"

#include "glgui/SkinFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{

// Each "%*[ ]" accepts a run of one or more spaces, so padded columns still match; it stores
// nothing, so no run length can overflow a buffer. A full match assigns id and nine fields.
constexpr const char* kCharLineFormat = "char id=%d%*[ ]x=%d%*[ ]y=%d%*[ ]width=%d%*[ ]height=%d%*[ ]xoffset=%d"
                                        "%*[ ]yoffset=%d%*[ ]xadvance=%d%*[ ]page=%d%*[ ]chnl=%d\n";
constexpr int kCharLineValues = 10;
constexpr const char* kCommonLineFormat = "common lineHeight=%d base=%d scaleW=%d scaleH=%d pages=%d\n";
constexpr int kCommonLineValues = 5;
// The "common" line itself, the "page" line and the "chars count" line precede the glyphs.
constexpr int kLinesBeforeChars = 3;

// Longer lines are cut; no line of a BMFont description comes near this.
constexpr std::size_t kLineCapacity = 512;

// Walks the text line by line and hands out each line as a NUL-terminated copy, so the
// scanner never looks past the line, however long the text is.
class LineCursor
{
public:
    explicit LineCursor(std::string_view text) : rest(text.substr(0, text.find('\0'))) {}

    bool atEnd() const { return rest.empty(); }

    const char* line()
    {
        const std::size_t length = std::min(rest.find('\n'), std::min(rest.size(), kLineCapacity - 1));
        if (length > 0)
            std::memcpy(buffer, rest.data(), length);
        buffer[length] = '\0';
        return buffer;
    }

    // Moves past the next newline; false (and at the end) when there is none.
    bool nextLine()
    {
        const std::size_t newline = rest.find('\n');
        if (newline == std::string_view::npos)
        {
            rest = {};
            return false;
        }
        rest.remove_prefix(newline + 1);
        return true;
    }

private:
    std::string_view rest;
    char buffer[kLineCapacity] = {};
};

bool isMetric(int value)
{
    return value >= -kMaxFontMetric && value <= kMaxFontMetric;
}

bool readCommonLine(LineCursor& lines, BitmapFont& font)
{
    const int matched = std::sscanf(lines.line(), kCommonLineFormat, &font.lineHeight, &font.base, &font.scaleW,
                                    &font.scaleH, &font.pages);
    return matched == kCommonLineValues && isMetric(font.lineHeight) && isMetric(font.base) && font.scaleW > 0 &&
           font.scaleW <= kMaxFontMetric && font.scaleH > 0 && font.scaleH <= kMaxFontMetric;
}

// False when the line is not a "char" line, which ends the glyph table.
bool readCharLine(LineCursor& lines, BitmapFont& font)
{
    int id = 0;
    Glyph glyph;
    const int matched = std::sscanf(lines.line(), kCharLineFormat, &id, &glyph.x, &glyph.y, &glyph.width, &glyph.height,
                                    &glyph.xoffset, &glyph.yoffset, &glyph.xadvance, &glyph.page, &glyph.chnl);
    if (matched != kCharLineValues)
        return false;
    const int metrics[] = {glyph.x, glyph.y, glyph.width, glyph.height, glyph.xoffset, glyph.yoffset, glyph.xadvance};
    // Codes outside the table, and glyphs no page could hold, are skipped.
    if (id >= 0 && id < static_cast<int>(BitmapFont::kGlyphCount) &&
        std::all_of(std::begin(metrics), std::end(metrics), isMetric))
        font.glyphs[static_cast<std::size_t>(id)] = glyph;
    return true;
}

}  // namespace

BitmapFont parseBitmapFont(std::string_view text)
{
    BitmapFont font;
    LineCursor lines(text);
    // The "info" line describes the source font; nothing in it is used.
    if (!lines.nextLine() || !readCommonLine(lines, font))
        return BitmapFont{};
    font.hasGlyphs = true;
    for (int skipped = 0; skipped < kLinesBeforeChars; ++skipped)
        lines.nextLine();
    while (!lines.atEnd() && readCharLine(lines, font))
        lines.nextLine();
    return font;
}

std::optional<BitmapFont> loadBitmapFont(SkinFiles& files, std::string_view fontName)
{
    SkinFile* file = files.openFile(std::string(fontName) + ".fnt");
    if (file == nullptr)
        return std::nullopt;
    const std::span<const std::uint8_t> bytes = file->bytes();
    BitmapFont font = parseBitmapFont(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    files.closeFile(file);
    return font;
}

std::int64_t measureText(const BitmapFont& font, std::string_view text)
{
    std::int64_t width = 0;
    for (const char c : text)
        width += font.glyphs[static_cast<unsigned char>(c)].xadvance;
    return width;
}

std::size_t wrapPosition(const BitmapFont& font, std::string_view text, std::size_t start)
{
    std::int64_t width = 0;
    std::size_t lastBlank = std::string_view::npos;
    for (std::size_t i = start; i < text.size(); ++i)
    {
        if (width >= kHelpPanelTextWidth)
            return lastBlank != std::string_view::npos && i + 1 < text.size() ? lastBlank : i;
        const auto code = static_cast<unsigned char>(text[i]);
        if (code == '\n')
            return i;
        if (code == ' ')
            lastBlank = i;
        width += font.glyphs[code].xadvance;
    }
    return text.size();
}

GlyphQuad glyphQuad(const BitmapFont& font, unsigned char code)
{
    const Glyph& glyph = font.glyphs[code];
    GlyphQuad quad;
    quad.advance = static_cast<float>(glyph.xadvance);
    if (glyph.width == 0)
        return quad;
    quad.visible = true;

    const auto left = static_cast<float>(glyph.xoffset);
    const auto right = static_cast<float>(glyph.xoffset + glyph.width);
    const auto top = static_cast<float>(font.base - glyph.yoffset);
    const auto bottom = static_cast<float>(font.base - glyph.yoffset - glyph.height);
    const float pageWidth = static_cast<float>(font.scaleW);
    const float pageHeight = static_cast<float>(font.scaleH);
    const float sLeft = static_cast<float>(glyph.x) / pageWidth;
    const float sRight = static_cast<float>(glyph.x + glyph.width) / pageWidth;
    const float tTop = static_cast<float>(glyph.y) / pageHeight;
    const float tBottom = static_cast<float>(glyph.y + glyph.height) / pageHeight;

    quad.vertices = {left, bottom, right, bottom, right, top, left, top};
    quad.texCoords = {sLeft, tBottom, sRight, tBottom, sRight, tTop, sLeft, tTop};
    return quad;
}
