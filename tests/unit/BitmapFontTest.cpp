#include "glgui/BitmapFont.h"

#include "glgui/SkinFiles.h"
#include "support/ScratchSkinFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

constexpr float kTolerance = 1e-6f;

const std::string kHeader = "info face=\"DejaVu Sans\" size=13 bold=0 italic=0 charset=\"\" unicode=0\n"
                            "common lineHeight=17 base=13 scaleW=256 scaleH=64 pages=1\n"
                            "page id=0 file=\"font_test.png\"\n"
                            "chars count=3\n";

std::string charLine(int id, int xadvance)
{
    return "char id=" + std::to_string(id) +
           " x=10 y=20 width=8 height=12 xoffset=1 yoffset=3 xadvance=" + std::to_string(xadvance) +
           " page=0 chnl=15\n";
}

// Every letter and the blank advance by 10 pixels, so 30 of them reach the help panel's width.
BitmapFont evenFont()
{
    std::string text = kHeader + charLine(' ', 10);
    for (char c = 'a'; c <= 'z'; ++c)
        text += charLine(c, 10);
    return parseBitmapFont(text);
}

}  // namespace

TEST(BitmapFont, ReadsTheCommonLineAndEveryCharLine)
{
    const BitmapFont font = parseBitmapFont(kHeader + charLine(65, 9) +
                                            "char id=32 x=250 y=39 width=0 height=0 xoffset=0 yoffset=12 xadvance=5 "
                                            "page=0 chnl=15\n"
                                            "kernings count=0\n");
    EXPECT_TRUE(font.hasGlyphs);
    EXPECT_EQ(font.lineHeight, 17);
    EXPECT_EQ(font.base, 13);
    EXPECT_EQ(font.scaleW, 256);
    EXPECT_EQ(font.scaleH, 64);
    EXPECT_EQ(font.pages, 1);
    const Glyph& a = font.glyphs['A'];
    EXPECT_EQ(a.x, 10);
    EXPECT_EQ(a.y, 20);
    EXPECT_EQ(a.width, 8);
    EXPECT_EQ(a.height, 12);
    EXPECT_EQ(a.xoffset, 1);
    EXPECT_EQ(a.yoffset, 3);
    EXPECT_EQ(a.xadvance, 9);
    EXPECT_EQ(a.page, 0);
    EXPECT_EQ(a.chnl, 15);
    EXPECT_EQ(font.glyphs[' '].xadvance, 5);
    EXPECT_EQ(font.glyphs['B'].xadvance, 0) << "absent codes stay zero";
}

TEST(BitmapFont, PaddedColumnsAndWindowsLineEndsStillMatch)
{
    const BitmapFont font = parseBitmapFont(kHeader +
                                            "char id=66   x=1  y=2     width=3 height=4 xoffset=5 yoffset=6 "
                                            "xadvance=7  page=0 chnl=15\r\n" +
                                            charLine(67, 8));
    EXPECT_EQ(font.glyphs['B'].x, 1);
    EXPECT_EQ(font.glyphs['B'].xadvance, 7);
    EXPECT_EQ(font.glyphs['C'].xadvance, 8) << "the table goes on after a padded line";
}

TEST(BitmapFont, CharLinesOutsideTheTableAreIgnoredAndOthersEndIt)
{
    const BitmapFont font = parseBitmapFont(kHeader + charLine(256, 4) + charLine(-1, 4) + charLine(0, 3) +
                                            "char id=68 x=1 y=1 width=1 height=1 xoffset=0 yoffset=0 "
                                            "xadvance=99999999 page=0 chnl=15\n" +
                                            charLine(255, 6) + "kernings count=1\n" + charLine(69, 7));
    EXPECT_EQ(font.glyphs[0].xadvance, 3);
    EXPECT_EQ(font.glyphs[255].xadvance, 6);
    EXPECT_EQ(font.glyphs['D'].xadvance, 0) << "a metric no page can hold";
    EXPECT_EQ(font.glyphs['E'].xadvance, 0) << "after the first line that is not a char line";
}

TEST(BitmapFont, ReadingStopsAtTheFirstNul)
{
    const std::string text = kHeader + charLine(70, 4) + std::string(1, '\0') + charLine(71, 5);
    const BitmapFont font = parseBitmapFont(text);
    EXPECT_EQ(font.glyphs['F'].xadvance, 4);
    EXPECT_EQ(font.glyphs['G'].xadvance, 0);
}

TEST(BitmapFont, MalformedCommonLinesLeaveAFontWithoutGlyphs)
{
    const std::string info = "info face=\"x\"\n";
    const std::string tail = "page id=0 file=\"x.png\"\nchars count=1\n" + charLine(65, 9);
    for (const std::string& text :
         {info + "common lineHeight=17 base=13\n" + tail,
          info + "common lineHeight=17 base=13 scaleW=0 scaleH=64 pages=1\n" + tail,
          std::string("common lineHeight=17 base=13 scaleW=256 scaleH=64 pages=1"), std::string()})
    {
        const BitmapFont font = parseBitmapFont(text);
        EXPECT_FALSE(font.hasGlyphs) << text;
        EXPECT_EQ(font.glyphs['A'].xadvance, 0) << text;
    }
}

TEST(BitmapFont, MeasuresTextOverUnsignedBytes)
{
    const BitmapFont font = parseBitmapFont(kHeader + charLine('a', 7) + charLine(200, 11));
    EXPECT_EQ(measureText(font, "aaa"), 21);
    EXPECT_EQ(measureText(font, "a\xC8"), 18) << "code 200, not a negative char";
    EXPECT_EQ(measureText(font, "zzz"), 0);
}

TEST(BitmapFont, WrapPositionEndsLinesAtNewlinesAndTheEnd)
{
    const BitmapFont font = evenFont();
    EXPECT_EQ(wrapPosition(font, "abc\nmore text", 0), 3u);
    EXPECT_EQ(wrapPosition(font, "short line", 0), 10u);
    EXPECT_EQ(wrapPosition(font, std::string(29, 'a'), 0), 29u);
    EXPECT_EQ(wrapPosition(font, std::string(30, 'a'), 0), 30u) << "full exactly at the end";
    EXPECT_EQ(wrapPosition(font, "abc", 7), 3u);
}

namespace
{

// Two words of a and b letters with one blank between them.
std::string twoWords(std::size_t first, std::size_t second)
{
    std::string words(first, 'a');
    words += ' ';
    words.append(second, 'b');
    return words;
}

}  // namespace

TEST(BitmapFont, WrapPositionBreaksFullLinesAtTheLastBlank)
{
    const BitmapFont font = evenFont();
    const std::string words = twoWords(25, 10);
    EXPECT_EQ(wrapPosition(font, words, 0), 25u);
    EXPECT_EQ(wrapPosition(font, words, 26), words.size()) << "the next line fits";
    EXPECT_EQ(wrapPosition(font, std::string(40, 'a'), 0), 30u) << "a word longer than the line is cut";
    EXPECT_EQ(wrapPosition(font, twoWords(25, 5), 0), 30u)
        << "full at the last character: cut there, not at the blank";
    EXPECT_EQ(wrapPosition(font, twoWords(25, 6), 0), 25u);
}

TEST(BitmapFont, GlyphQuadSpansTheGlyphAndSamplesItsPageRectangle)
{
    const BitmapFont font = parseBitmapFont(kHeader + charLine('A', 9) +
                                            "char id=32 x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=5 "
                                            "page=0 chnl=15\n");
    const GlyphQuad quad = glyphQuad(font, 'A');
    ASSERT_TRUE(quad.visible);
    // x 1..9, y from base - yoffset - height = -2 up to base - yoffset = 10.
    const std::array<float, 8> vertices = {1, -2, 9, -2, 9, 10, 1, 10};
    const std::array<float, 8> texCoords = {10.0f / 256, 32.0f / 64, 18.0f / 256, 32.0f / 64,
                                            18.0f / 256, 20.0f / 64, 10.0f / 256, 20.0f / 64};
    for (std::size_t i = 0; i < 8; ++i)
    {
        EXPECT_NEAR(quad.vertices[i], vertices[i], kTolerance) << i;
        EXPECT_NEAR(quad.texCoords[i], texCoords[i], kTolerance) << i;
    }
    EXPECT_EQ(quad.advance, 9.0f);

    const GlyphQuad blank = glyphQuad(font, ' ');
    EXPECT_FALSE(blank.visible);
    EXPECT_EQ(blank.advance, 5.0f) << "empty glyphs still move the pen";
    EXPECT_EQ(glyphQuad(font, 'Z').advance, 0.0f);
}

TEST(BitmapFont, LoadsThroughTheSkinFilesAndClosesTheFile)
{
    ScratchSkinFolder folder;
    ASSERT_TRUE(folder.created());
    folder.write("font_marke.fnt", kHeader + charLine('A', 9));
    SkinFiles files(folder.path());

    const std::optional<BitmapFont> font = loadBitmapFont(files, "font_marke");
    ASSERT_TRUE(font.has_value());
    EXPECT_TRUE(font->hasGlyphs);
    EXPECT_EQ(font->glyphs['A'].xadvance, 9);
    EXPECT_EQ(files.openFileCount(), 0u);
    EXPECT_FALSE(loadBitmapFont(files, "font_absent").has_value());
}
