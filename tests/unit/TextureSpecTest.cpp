#include "glgui/TextureSpec.h"

#include "glgui/PngDecoder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TextureSpec parsed(const std::string& text)
{
    TextureSpec spec;
    EXPECT_TRUE(parseTextureSpec(text, spec)) << text;
    return spec;
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

TEST(TextureSpec, SpectrumTextureIsOneRowOfSinglePrecisionFloats)
{
    const TextureSpec spec = parsed("eq_fft, 512, 1, r32f, float, nomips, clamp");
    EXPECT_EQ(spec.shortName, "eq_fft");
    EXPECT_EQ(spec.width, 512);
    EXPECT_EQ(spec.height, 1);
    EXPECT_EQ(spec.internalFormat, kGlR32F);
    EXPECT_EQ(spec.format, kGlRed);
    EXPECT_EQ(spec.type, kGlFloat);
    EXPECT_EQ(spec.bytesPerComponent, 4);
    EXPECT_EQ(spec.byteSize, 2048u);
    EXPECT_FALSE(spec.mipmaps);
    EXPECT_EQ(spec.filter, kGlLinear);
    EXPECT_EQ(spec.wrap, kGlClampToEdge);
}

TEST(TextureSpec, FormatKeywordsAreTriedInTableOrderNotTextOrder)
{
    const TextureSpec hdr = parsed("hdr, 4, 2, rgba32f, float");
    EXPECT_EQ(hdr.internalFormat, kGlRgba32F) << "although rgba, rgb and rg are in the text too";
    EXPECT_EQ(hdr.format, kGlRgba);
    EXPECT_EQ(hdr.byteSize, 4u * 2u * 4u * 4u);

    const TextureSpec mixed = parsed("mixed, 1, 1, rgba, rgb16f, byte");
    EXPECT_EQ(mixed.internalFormat, kGlRgb16F);
    EXPECT_EQ(mixed.format, kGlRgb);

    const TextureSpec pair = parsed("uv, 3, 5, rg, byte");
    EXPECT_EQ(pair.internalFormat, kGlRg);
    EXPECT_EQ(pair.type, kGlUnsignedByte);
    EXPECT_EQ(pair.bytesPerComponent, 1);
    EXPECT_EQ(pair.byteSize, 3u * 5u * 2u);
    EXPECT_TRUE(pair.mipmaps);
    EXPECT_EQ(pair.filter, kGlLinear);
    EXPECT_EQ(pair.wrap, kGlRepeat);
}

TEST(TextureSpec, FormatAndTypeComeAfterTheNameButOptionsFromAnywhere)
{
    const TextureSpec spec = parsed("red_clamp_nearest_nomips, 8, 8, rgb, byte");
    EXPECT_EQ(spec.format, kGlRgb) << "\"red\" in the short name is no format";
    EXPECT_EQ(spec.wrap, kGlClampToEdge);
    EXPECT_EQ(spec.filter, kGlNearest);
    EXPECT_FALSE(spec.mipmaps);

    TextureSpec keywordsOnlyInName;
    EXPECT_FALSE(parseTextureSpec("float_rgba, 8, 8", keywordsOnlyInName));
}

TEST(TextureSpec, DepthFormatsHoldOnePackedValuePerPixel)
{
    const TextureSpec stencil = parsed("shadow, 64, 32, depthstencil, 24_8");
    EXPECT_EQ(stencil.internalFormat, kGlDepth24Stencil8);
    EXPECT_EQ(stencil.format, kGlDepthStencil);
    EXPECT_EQ(stencil.type, kGlUnsignedInt24_8);
    EXPECT_EQ(stencil.byteSize, 64u * 32u * 4u);

    const TextureSpec depth = parsed("depth, 16, 16, depthcomponent, float");
    EXPECT_EQ(depth.internalFormat, kGlDepthComponent24);
    EXPECT_EQ(depth.format, kGlDepthComponent);
    EXPECT_EQ(depth.byteSize, 16u * 16u * 4u);
}

TEST(TextureSpec, LetterCaseAndSpacingDoNotMatter)
{
    const TextureSpec spec = parsed("EQ_FFT ,512,  1 ,R32F,FLOAT");
    EXPECT_EQ(spec.shortName, "eq_fft");
    EXPECT_EQ(spec.width, 512);
    EXPECT_EQ(spec.height, 1);
    EXPECT_EQ(spec.internalFormat, kGlR32F);
}

TEST(TextureSpec, IncompleteOrOutOfRangeSpecificationsAreRejected)
{
    for (const char* text : {"a, 4, 4, float", "a, 4, 4, rgba", "a, x, 4, rgba, byte", "a, 4x, 4, rgba, byte",
                             "a, 0, 4, rgba, byte", "a, -4, 4, rgba, byte", "a, 16385, 1, rgba, byte",
                             "a, 99999999999, 1, rgba, byte", "a, 4", "a, 4, , rgba, byte", "no comma"})
    {
        TextureSpec spec;
        spec.shortName = "untouched";
        EXPECT_FALSE(parseTextureSpec(text, spec)) << text;
        EXPECT_EQ(spec.shortName, "untouched") << text;
    }
    TextureSpec largest;
    EXPECT_TRUE(parseTextureSpec("a, 16384, 16384, rgba, byte", largest));
}

TEST(TextureSpec, NamesWithACommaAreSpecifications)
{
    EXPECT_TRUE(isTextureSpecString("eq_fft, 512, 1, r32f, float, nomips, clamp"));
    EXPECT_FALSE(isTextureSpecString("sf_background.png"));
}

TEST(PngTextureDescription, FormatFollowsTheDecodedComponents)
{
    EXPECT_EQ(describePngTexture("a.png", imageWithChannels(1)).format, kGlRed);
    EXPECT_EQ(describePngTexture("a.png", imageWithChannels(2)).format, kGlLuminanceAlpha);
    EXPECT_EQ(describePngTexture("a.png", imageWithChannels(3)).format, kGlRgb);
    const TextureSpec rgba = describePngTexture("a.png", imageWithChannels(4));
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
    const TextureSpec plain = describePngTexture("SF_Background.PNG", imageWithChannels(3));
    EXPECT_EQ(plain.shortName, "sf_background.png");
    EXPECT_TRUE(plain.mipmaps);
    EXPECT_EQ(plain.filter, kGlLinear);
    EXPECT_EQ(plain.wrap, kGlRepeat);

    const TextureSpec pixelArt = describePngTexture("Dial_Nearest_NoMips.png", imageWithChannels(3));
    EXPECT_FALSE(pixelArt.mipmaps);
    EXPECT_EQ(pixelArt.filter, kGlNearest);
    EXPECT_EQ(pixelArt.wrap, kGlRepeat);
}
