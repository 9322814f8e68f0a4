#include "glgui/PngDecoder.h"

#include "glgui/SkinFiles.h"
#include "support/ScratchSkinFolder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

namespace
{

using Bytes = std::vector<std::uint8_t>;

// What the test writes: rows in PNG's own packed layout (16-bit samples big-endian).
struct SourceImage
{
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_GRAY;
    int interlace = PNG_INTERLACE_NONE;
    std::vector<Bytes> rows;
    std::vector<png_color> palette;
    Bytes paletteAlpha;                               // tRNS for palette images
    const png_color_16* transparentColour = nullptr;  // tRNS for grey and RGB images
    std::string text;                                 // written as a compressed zTXt chunk
};

void appendToBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp /*png*/) {}

// libpng aborts the test program on a write error, which only a broken test can cause.
class PngWriter
{
public:
    PngWriter()
    {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        info = png_create_info_struct(png);
        png_set_write_fn(png, &bytes, appendToBytes, flushNothing);
    }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
    ~PngWriter() { png_destroy_write_struct(&png, &info); }

    // Signature and header chunks, ending where the image data would begin.
    void writeHeader(const SourceImage& image)
    {
        png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colourType, image.interlace,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (!image.palette.empty())
            png_set_PLTE(png, info, image.palette.data(), static_cast<int>(image.palette.size()));
        if (!image.paletteAlpha.empty())
            png_set_tRNS(png, info, image.paletteAlpha.data(), static_cast<int>(image.paletteAlpha.size()), nullptr);
        if (image.transparentColour != nullptr)
            png_set_tRNS(png, info, nullptr, 0, image.transparentColour);
        if (!image.text.empty())
        {
            png_text comment{};
            comment.compression = PNG_TEXT_COMPRESSION_zTXt;
            comment.key = const_cast<char*>("Comment");
            comment.text = const_cast<char*>(image.text.c_str());
            png_set_text(png, info, &comment, 1);
            png_set_gAMA(png, info, 0.45455);
        }
        png_write_info(png, info);
    }

    Bytes writeImage(const SourceImage& image)
    {
        writeHeader(image);
        std::vector<png_bytep> rowPointers;
        for (const Bytes& row : image.rows)
            rowPointers.push_back(const_cast<png_bytep>(row.data()));
        png_write_image(png, rowPointers.data());
        png_write_end(png, nullptr);
        return bytes;
    }

    Bytes bytes;

private:
    png_structp png = nullptr;
    png_infop info = nullptr;
};

Bytes encode(const SourceImage& image)
{
    return PngWriter().writeImage(image);
}

// A file that stops right after announcing its image data: enough to learn the size.
Bytes headerOnly(int width, int height, int colourType)
{
    SourceImage image;
    image.width = width;
    image.height = height;
    image.colourType = colourType;
    PngWriter writer;
    writer.writeHeader(image);
    const std::uint8_t imageDataHeader[] = {0x00, 0x00, 0x10, 0x00, 'I', 'D', 'A', 'T'};
    writer.bytes.insert(writer.bytes.end(), std::begin(imageDataHeader), std::end(imageDataHeader));
    return writer.bytes;
}

PngResult decode(const Bytes& bytes, PngImage& image)
{
    ByteReader reader(bytes);
    return decodePng(reader, image);
}

Bytes pixelsOf(const PngImage& image)
{
    return {image.pixels.data(), image.pixels.data() + image.pixels.size()};
}

SourceImage greyTwoByThree()
{
    SourceImage image;
    image.width = 2;
    image.height = 3;
    image.rows = {{10, 20}, {30, 40}, {50, 60}};
    return image;
}

}  // namespace

TEST(PngDecoder, GreyRowsArriveTopRowFirst)
{
    PngImage image;
    const PngResult result = decode(encode(greyTwoByThree()), image);
    ASSERT_EQ(result.status, PngStatus::Decoded) << result.message;
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.sourceType, PngColourType::Grey);
    EXPECT_EQ(image.channels, 1);
    EXPECT_EQ(image.rowBytes(), 2u);
    EXPECT_EQ(pixelsOf(image), (Bytes{10, 20, 30, 40, 50, 60})) << "t = 0 addresses the top row";
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(image.pixels.data()) % 16, 0u);
}

TEST(PngDecoder, InterlacedImagesDecodeLikePlainOnes)
{
    SourceImage image = greyTwoByThree();
    image.interlace = PNG_INTERLACE_ADAM7;
    PngImage decoded;
    ASSERT_EQ(decode(encode(image), decoded).status, PngStatus::Decoded);
    EXPECT_EQ(pixelsOf(decoded), (Bytes{10, 20, 30, 40, 50, 60}));
}

TEST(PngDecoder, SixteenBitSamplesKeepTheirHighByte)
{
    SourceImage image;
    image.bitDepth = 16;
    image.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    image.rows = {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0}};
    PngImage decoded;
    ASSERT_EQ(decode(encode(image), decoded).status, PngStatus::Decoded);
    EXPECT_EQ(decoded.sourceType, PngColourType::Rgba);
    EXPECT_EQ(decoded.channels, 4);
    EXPECT_EQ(pixelsOf(decoded), (Bytes{0x12, 0x56, 0x9A, 0xDE}));
}

TEST(PngDecoder, PalettesExpandToRgbAndTransparencyAddsAlpha)
{
    SourceImage image;
    image.width = 3;
    image.bitDepth = 2;
    image.colourType = PNG_COLOR_TYPE_PALETTE;
    image.palette = {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}};
    image.rows = {{0b00'01'10'00}};  // indices 0, 1, 2 packed two bits each
    PngImage opaque;
    ASSERT_EQ(decode(encode(image), opaque).status, PngStatus::Decoded);
    EXPECT_EQ(opaque.sourceType, PngColourType::Palette);
    EXPECT_EQ(opaque.channels, 3);
    EXPECT_EQ(pixelsOf(opaque), (Bytes{255, 0, 0, 0, 0, 255, 0, 255, 0}));

    image.paletteAlpha = {128};  // only entry 0 is translucent
    PngImage translucent;
    ASSERT_EQ(decode(encode(image), translucent).status, PngStatus::Decoded);
    EXPECT_EQ(translucent.channels, 4);
    EXPECT_EQ(pixelsOf(translucent), (Bytes{255, 0, 0, 128, 0, 0, 255, 255, 0, 255, 0, 255}));
}

TEST(PngDecoder, GreyAndRgbFilesOfOtherLayoutsGetWholeBytesPerComponent)
{
    SourceImage oneBit;
    oneBit.width = 4;
    oneBit.bitDepth = 1;
    oneBit.rows = {{0b1010'0000}};
    PngImage grey;
    ASSERT_EQ(decode(encode(oneBit), grey).status, PngStatus::Decoded);
    EXPECT_EQ(pixelsOf(grey), (Bytes{255, 0, 255, 0}));

    SourceImage greyAlpha;
    greyAlpha.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    greyAlpha.rows = {{100, 200}};
    PngImage withAlpha;
    ASSERT_EQ(decode(encode(greyAlpha), withAlpha).status, PngStatus::Decoded);
    EXPECT_EQ(withAlpha.sourceType, PngColourType::GreyAlpha);
    EXPECT_EQ(withAlpha.channels, 2);
    EXPECT_EQ(pixelsOf(withAlpha), (Bytes{100, 200}));

    const png_color_16 black{0, 0, 0, 0, 0};
    SourceImage keyed;
    keyed.width = 2;
    keyed.colourType = PNG_COLOR_TYPE_RGB;
    keyed.transparentColour = &black;
    keyed.rows = {{0, 0, 0, 9, 8, 7}};
    PngImage rgba;
    ASSERT_EQ(decode(encode(keyed), rgba).status, PngStatus::Decoded);
    EXPECT_EQ(rgba.sourceType, PngColourType::Rgb);
    EXPECT_EQ(rgba.channels, 4) << "a transparent colour turns RGB into RGBA";
    EXPECT_EQ(pixelsOf(rgba), (Bytes{0, 0, 0, 0, 9, 8, 7, 255}));
}

TEST(PngDecoder, TruncatedFilesRaiseReadErrorAndLeaveNoImage)
{
    const Bytes whole = encode(greyTwoByThree());
    for (std::size_t length = 8; length < whole.size(); ++length)
    {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        PngImage image;
        const PngResult result = decode(cut, image);
        ASSERT_EQ(result.status, PngStatus::DecodeError) << "cut at " << length;
        EXPECT_EQ(result.message, "Read Error") << "cut at " << length;
        EXPECT_EQ(image.pixels.data(), nullptr);
        EXPECT_EQ(image.width, 0);
    }
}

TEST(PngDecoder, DataWithoutTheSignatureIsNotAPng)
{
    PngImage image;
    EXPECT_EQ(decode(Bytes{}, image).status, PngStatus::NotPng);
    EXPECT_EQ(decode(Bytes{'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, image).status, PngStatus::NotPng);
    const Bytes whole = encode(greyTwoByThree());
    EXPECT_EQ(decode(Bytes(whole.begin(), whole.begin() + 7), image).status, PngStatus::NotPng);
}

TEST(PngDecoder, TextAndGammaChunksDoNotDisturbTheImage)
{
    SourceImage image = greyTwoByThree();
    image.text = "A comment long enough to be worth compressing, compressing, compressing.";
    PngImage decoded;
    ASSERT_EQ(decode(encode(image), decoded).status, PngStatus::Decoded);
    EXPECT_EQ(pixelsOf(decoded), (Bytes{10, 20, 30, 40, 50, 60}));
}

TEST(PngDecoder, OversizedImagesAreRefusedBeforeAnyPixelMemory)
{
    PngImage image;
    EXPECT_EQ(decode(headerOnly(kMaxPngSide + 1, 1, PNG_COLOR_TYPE_GRAY), image).status, PngStatus::TooLarge);
    EXPECT_EQ(decode(headerOnly(1, kMaxPngSide + 1, PNG_COLOR_TYPE_GRAY), image).status, PngStatus::TooLarge);
    EXPECT_EQ(decode(headerOnly(8192, 8193, PNG_COLOR_TYPE_RGB_ALPHA), image).status, PngStatus::TooLarge)
        << "just over 256 MiB of pixels";

    const PngResult widest = decode(headerOnly(kMaxPngSide, 1, PNG_COLOR_TYPE_GRAY), image);
    EXPECT_EQ(widest.status, PngStatus::DecodeError) << "allowed, then short of data";
    EXPECT_EQ(widest.message, "Read Error");
}

TEST(PngDecoder, LoadsThroughTheSkinFilesAndClosesTheFile)
{
    ScratchSkinFolder folder;
    ASSERT_TRUE(folder.created());
    folder.write("logo.png", encode(greyTwoByThree()));
    SkinFiles files(folder.path());

    PngImage image;
    EXPECT_EQ(loadPngFile(files, "Logo.PNG", image).status, PngStatus::Decoded);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(files.openFileCount(), 0u);

    EXPECT_EQ(loadPngFile(files, "absent.png", image).status, PngStatus::FileMissing);
    EXPECT_EQ(image.pixels.data(), nullptr);
}
