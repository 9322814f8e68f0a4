#pragma once

#include "base/AlignedBuffer.h"
#include "base/ByteReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class SkinFiles;

// The colour type a PNG file declares, before decoding expands it.
enum class PngColourType
{
    Grey,
    GreyAlpha,
    Palette,
    Rgb,
    Rgba,
};

// A decoded image: 8 bits per component, rows top row first and packed without padding, so
// texture coordinate t = 0 addresses the image's top row.
struct PngImage
{
    int width = 0;
    int height = 0;
    PngColourType sourceType = PngColourType::Grey;
    // Components per pixel after expansion: 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA. Palette
    // images arrive as RGB, and a transparency chunk adds an alpha component.
    int channels = 0;
    AlignedBuffer<std::uint8_t> pixels;

    std::size_t rowBytes() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(channels); }
};

enum class PngStatus
{
    Decoded,
    FileMissing,
    NotPng,       // no PNG signature: silently no image
    TooLarge,     // beyond kMaxPngSide or kMaxPngBytes
    DecodeError,  // libpng refused the data; the message says why ("Read Error" when truncated)
    OutOfMemory,
};

struct PngResult
{
    PngStatus status = PngStatus::DecodeError;
    std::string message;
};

// Limits checked before any pixel memory is claimed.
constexpr int kMaxPngSide = 16384;
constexpr std::size_t kMaxPngBytes = std::size_t{256} << 20;

// Decodes the PNG at the reader's position: 16-bit components are stripped to 8, palettes and
// grey below 8 bits expanded, a transparency chunk turned into alpha. The reader advances over
// what libpng consumed. On failure the image is left empty.
PngResult decodePng(ByteReader& source, PngImage& image);

// Opens fileName through the skin files, decodes it and closes it again.
PngResult loadPngFile(SkinFiles& files, std::string_view fileName, PngImage& image);
