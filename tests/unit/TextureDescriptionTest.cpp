#include "glgui/TextureDescription.h"

#include "glgui/PngDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TextureDescription parsed(const std::string& text)
{
    TextureDescription description;
    EXPECT_TRUE(parseTextureDescription(text, description)) << text;
    return description;
}

PngImage imageWithChannels(int channels)
{
    PngImage image;
    image.width = 4;
    image.height = 2;
    image.channels = channels;
    image.pixels.allocate(image.rowBytes() * 2, "image");
    return image;
}

}  // namespace

TEST(TextureDescription, SpectrumTextureIsOneRowOfSinglePrecisionFloats)
{
    const TextureDescription description = parsed("eq_fft, 512, 1, r32f, float, nomips, clamp");
    EXPECT_EQ(description.shortName, "eq_fft");
    EXPECT_EQ(description.width, 512);
    EXPECT_EQ(description.height, 1);
    EXPECT_EQ(description.internalFormat, kGlR32F);
    EXPECT_EQ(description.format, kGlRed);
    EXPECT_EQ(description.type, kGlFloat);
    EXPECT_EQ(description.bytesPerComponent, 4);
    EXPECT_EQ(description.byteSize, 2048u);
    EXPECT_FALSE(description.mipmaps);
    EXPECT_EQ(description.filter, kGlLinear);
    EXPECT_EQ(description.wrap, kGlClampToEdge);
}

TEST(TextureDescription, FormatKeywordsAreTriedInTableOrderNotTextOrder)
{
    const TextureDescription hdr = parsed("hdr, 4, 2, rgba32f, float");
    EXPECT_EQ(hdr.internalFormat, kGlRgba32F) << "although rgba, rgb and rg are in the text too";
    EXPECT_EQ(hdr.format, kGlRgba);
    EXPECT_EQ(hdr.byteSize, 4u * 2u * 4u * 4u);

    const TextureDescription mixed = parsed("mixed, 1, 1, rgba, rgb16f, byte");
    EXPECT_EQ(mixed.internalFormat, kGlRgb16F);
    EXPECT_EQ(mixed.format, kGlRgb);

    const TextureDescription pair = parsed("uv, 3, 5, rg, byte");
    EXPECT_EQ(pair.internalFormat, kGlRg);
    EXPECT_EQ(pair.type, kGlUnsignedByte);
    EXPECT_EQ(pair.bytesPerComponent, 1);
    EXPECT_EQ(pair.byteSize, 3u * 5u * 2u);
    EXPECT_TRUE(pair.mipmaps);
    EXPECT_EQ(pair.filter, kGlLinear);
    EXPECT_EQ(pair.wrap, kGlRepeat);
}

TEST(TextureDescription, FormatAndTypeComeAfterTheNameButOptionsFromAnywhere)
{
    const TextureDescription description = parsed("red_clamp_nearest_nomips, 8, 8, rgb, byte");
    EXPECT_EQ(description.format, kGlRgb) << "\"red\" in the short name is no format";
    EXPECT_EQ(description.wrap, kGlClampToEdge);
    EXPECT_EQ(description.filter, kGlNearest);
    EXPECT_FALSE(description.mipmaps);

    TextureDescription keywordsOnlyInName;
    EXPECT_FALSE(parseTextureDescription("float_rgba, 8, 8", keywordsOnlyInName));
}

TEST(TextureDescription, DepthFormatsHoldOnePackedValuePerPixel)
{
    const TextureDescription stencil = parsed("shadow, 64, 32, depthstencil, 24_8");
    EXPECT_EQ(stencil.internalFormat, kGlDepth24Stencil8);
    EXPECT_EQ(stencil.format, kGlDepthStencil);
    EXPECT_EQ(stencil.type, kGlUnsignedInt24_8);
    EXPECT_EQ(stencil.byteSize, 64u * 32u * 4u);

    const TextureDescription depth = parsed("depth, 16, 16, depthcomponent, float");
    EXPECT_EQ(depth.internalFormat, kGlDepthComponent24);
    EXPECT_EQ(depth.format, kGlDepthComponent);
    EXPECT_EQ(depth.byteSize, 16u * 16u * 4u);
}

TEST(TextureDescription, LetterCaseAndSpacingDoNotMatter)
{
    const TextureDescription description = parsed("EQ_FFT ,512,  1 ,R32F,FLOAT");
    EXPECT_EQ(description.shortName, "eq_fft");
    EXPECT_EQ(description.width, 512);
    EXPECT_EQ(description.height, 1);
    EXPECT_EQ(description.internalFormat, kGlR32F);
}

TEST(TextureDescription, IncompleteOrOutOfRangeSpecificationsAreRejected)
{
    for (const char* text : {"a, 4, 4, float", "a, 4, 4, rgba", "a, x, 4, rgba, byte", "a, 4x, 4, rgba, byte",
                             "a, 0, 4, rgba, byte", "a, -4, 4, rgba, byte", "a, 16385, 1, rgba, byte",
                             "a, 99999999999, 1, rgba, byte", "a, 4", "a, 4, , rgba, byte", "no comma"})
    {
        TextureDescription description;
        description.shortName = "untouched";
        EXPECT_FALSE(parseTextureDescription(text, description)) << text;
        EXPECT_EQ(description.shortName, "untouched") << text;
    }
    TextureDescription largest;
    EXPECT_TRUE(parseTextureDescription("a, 16384, 16384, rgba, byte", largest));
}

TEST(TextureDescription, NamesWithACommaAreSpecifications)
{
    EXPECT_TRUE(isTextureDescriptionString("eq_fft, 512, 1, r32f, float, nomips, clamp"));
    EXPECT_FALSE(isTextureDescriptionString("sf_background.png"));
}

TEST(PngTextureDescription, FormatFollowsTheDecodedComponents)
{
    EXPECT_EQ(describePngTexture("a.png", imageWithChannels(1)).format, kGlRed);
    EXPECT_EQ(describePngTexture("a.png", imageWithChannels(2)).format, kGlLuminanceAlpha);
    EXPECT_EQ(describePngTexture("a.png", imageWithChannels(3)).format, kGlRgb);
    const TextureDescription rgba = describePngTexture("a.png", imageWithChannels(4));
    EXPECT_EQ(rgba.format, kGlRgba);
    EXPECT_EQ(rgba.internalFormat, kGlRgba);
    EXPECT_EQ(rgba.type, kGlUnsignedByte);
    EXPECT_EQ(rgba.bytesPerComponent, 1);
    EXPECT_EQ(rgba.width, 4);
    EXPECT_EQ(rgba.height, 2);
    EXPECT_EQ(rgba.byteSize, 4u * 2u * 4u);
}

TEST(PngTextureDescription, NameSuffixesChooseFilterAndMipmaps)
{
    const TextureDescription plain = describePngTexture("SF_Background.PNG", imageWithChannels(3));
    EXPECT_EQ(plain.shortName, "sf_background.png");
    EXPECT_TRUE(plain.mipmaps);
    EXPECT_EQ(plain.filter, kGlLinear);
    EXPECT_EQ(plain.wrap, kGlRepeat);

    const TextureDescription pixelArt = describePngTexture("Dial_Nearest_NoMips.png", imageWithChannels(3));
    EXPECT_FALSE(pixelArt.mipmaps);
    EXPECT_EQ(pixelArt.filter, kGlNearest);
    EXPECT_EQ(pixelArt.wrap, kGlRepeat);
}
