#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class SkinFiles;

// One character of the font's page image, in pixels; x, y from the page's top-left corner.
struct Glyph
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int xoffset = 0;
    int yoffset = 0;
    int xadvance = 0;
    int page = 0;
    int chnl = 0;
};

// A bitmap font described by the text layout of the BMFont tool. Page and channel are kept
// but fonts have exactly one page, the font name + ".png".
struct BitmapFont
{
    static constexpr std::size_t kGlyphCount = 256;

    int lineHeight = 0;
    int base = 0;
    int scaleW = 0;  // page image width
    int scaleH = 0;  // page image height
    int pages = 0;
    bool hasGlyphs = false;  // false for a malformed file: such a font draws nothing
    std::array<Glyph, kGlyphCount> glyphs{};
};

// Largest magnitude a page size or glyph metric may have; lines with larger values are
// ignored, so sums and positions built from them cannot overflow.
constexpr int kMaxFontMetric = 16384;

// Width of the help panel's text, where wrapPosition breaks lines.
constexpr int kHelpPanelTextWidth = 292;

// Parses ".fnt" text. Reading stops at the end of the view or at a NUL, whichever comes first.
BitmapFont parseBitmapFont(std::string_view text);

// Opens fontName + ".fnt" through the skin files, parses it and closes it; nothing when the
// file is missing.
std::optional<BitmapFont> loadBitmapFont(SkinFiles& files, std::string_view fontName);

// Sum of the advances of the text's bytes, taken as unsigned character codes.
std::int64_t measureText(const BitmapFont& font, std::string_view text);

// Where the line beginning at start ends in the help panel: at a newline, at the end of the
// text, or once the line has reached kHelpPanelTextWidth, at its last blank when there was
// one and the line does not end at the text's last character, else right there (a line may
// be one glyph wider than the panel). A line cut inside a word continues at the returned
// index; one ending at a blank or newline continues after it.
std::size_t wrapPosition(const BitmapFont& font, std::string_view text, std::size_t start);

// The quad drawing one character, pen at the origin, y upwards; texture coordinates address
// the page with t = 0 at its top row. Corners run bottom-left, bottom-right, top-right,
// top-left. Empty glyphs (width 0) have no quad but may still advance the pen.
struct GlyphQuad
{
    bool visible = false;
    std::array<float, 8> vertices{};   // x, y per corner
    std::array<float, 8> texCoords{};  // s, t per corner
    float advance = 0.0f;              // pen movement along x after the glyph
};

GlyphQuad glyphQuad(const BitmapFont& font, unsigned char code);
