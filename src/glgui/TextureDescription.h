#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct PngImage;

// OpenGL enum values the texture descriptions carry. GL headers stay out of the readers; the
// GL side checks these against its own headers.
constexpr int kGlUnsignedByte = 0x1401;
constexpr int kGlFloat = 0x1406;
constexpr int kGlUnsignedInt24_8 = 0x84FA;
constexpr int kGlDepthComponent = 0x1902;
constexpr int kGlDepthComponent24 = 0x81A6;
constexpr int kGlDepthStencil = 0x84F9;
constexpr int kGlDepth24Stencil8 = 0x88F0;
constexpr int kGlRed = 0x1903;
constexpr int kGlRg = 0x8227;
constexpr int kGlRgb = 0x1907;
constexpr int kGlRgba = 0x1908;
constexpr int kGlLuminanceAlpha = 0x190A;
constexpr int kGlR32F = 0x822E;
constexpr int kGlRg16F = 0x822F;
constexpr int kGlRg32F = 0x8230;
constexpr int kGlRgb16F = 0x881B;
constexpr int kGlRgba16F = 0x881A;
constexpr int kGlRgba32F = 0x8814;
constexpr int kGlNearest = 0x2600;
constexpr int kGlLinear = 0x2601;
constexpr int kGlRepeat = 0x2901;
constexpr int kGlClampToEdge = 0x812F;

// Everything glTexImage2D and the texture parameters need to know about one texture, whether
// it comes from a PNG file or from a specification string such as
// "eq_fft, 512, 1, r32f, float, nomips, clamp".
struct TextureDescription
{
    std::string shortName;  // the lower-case lookup name
    int width = 0;
    int height = 0;
    int internalFormat = 0;
    int format = 0;
    int type = kGlUnsignedByte;
    int bytesPerComponent = 1;
    std::size_t byteSize = 0;  // client data for width x height pixels
    bool mipmaps = true;
    int filter = kGlLinear;  // minification and magnification when there are no mipmaps
    int wrap = kGlRepeat;    // S and T
};

// Largest width or height a specification may ask for.
constexpr int kMaxTextureSide = 16384;

// Texture names holding a comma are specifications; all others name PNG files.
bool isTextureDescriptionString(std::string_view name);

// Parses "short name, width, height, keywords...". Format and type keywords are searched in
// the text after the first comma, the options "nomips", "nearest" and "clamp" in the whole
// string. False when the size is missing or out of range, or no format or type keyword is
// found; description is then unchanged.
bool parseTextureDescription(std::string_view text, TextureDescription& description);

// The description of a decoded PNG file: "_nearest" in the name selects nearest filtering,
// "_nomips" turns mipmaps off; PNG textures repeat.
TextureDescription describePngTexture(std::string_view fileName, const PngImage& image);
