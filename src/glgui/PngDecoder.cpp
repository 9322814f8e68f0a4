#include "glgui/PngDecoder.h"

#include "glgui/SkinFiles.h"

#include <png.h>

#include <cstdio>

namespace
{

constexpr std::size_t kSignatureBytes = 8;
constexpr std::size_t kMessageCapacity = 160;
constexpr int kMaxChannels = 4;

// libpng reports errors by longjmp. Whatever must survive one is plain data kept here, and the
// functions that call setjmp own no object with a destructor, so the jump skips none.
struct DecodeContext
{
    ByteReader* source;
    char message[kMessageCapacity];
};

struct ImageLayout
{
    png_uint_32 width;
    png_uint_32 height;
    int colourType;
    int channels;
    std::size_t rowBytes;
};

[[noreturn]] void onPngError(png_structp png, png_const_charp message)
{
    auto* context = static_cast<DecodeContext*>(png_get_error_ptr(png));
    std::snprintf(context->message, sizeof(context->message), "%s", message);
    png_longjmp(png, 1);
}

// Warnings concern ancillary chunks the editor never uses.
void onPngWarning(png_structp /*png*/, png_const_charp /*message*/) {}

void readFromSource(png_structp png, png_bytep destination, png_size_t count)
{
    auto* context = static_cast<DecodeContext*>(png_get_io_ptr(png));
    if (context->source->read(destination, count) < count)
        png_error(png, "Read Error");
}

// Reads the header and sets up the expansions to 8-bit grey, grey + alpha, RGB or RGBA.
// False when libpng raised an error.
bool readLayout(png_structp png, png_infop info, ImageLayout* layout)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_sig_bytes(png, static_cast<int>(kSignatureBytes));
    // Only IHDR, PLTE, tRNS, IDAT and IEND matter; every other chunk is skipped unread. libpng
    // would otherwise allocate a text or profile chunk's declared length, up to 2 GiB, before
    // finding the data is not there.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    layout->colourType = png_get_color_type(png, info);
    if (bitDepth > 8)
        png_set_strip_16(png);
    if (layout->colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (layout->colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0)
        png_set_tRNS_to_alpha(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    layout->width = png_get_image_width(png, info);
    layout->height = png_get_image_height(png, info);
    layout->channels = png_get_channels(png, info);
    layout->rowBytes = png_get_rowbytes(png, info);
    return true;
}

// Reads every row (all passes of an interlaced image) and the chunks after the image data.
// False when libpng raised an error.
bool readRows(png_structp png, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

class PngReadStructs
{
public:
    explicit PngReadStructs(DecodeContext* context)
        : png(png_create_read_struct(PNG_LIBPNG_VER_STRING, context, onPngError, onPngWarning))
    {
        if (png != nullptr)
            info = png_create_info_struct(png);
    }
    PngReadStructs(const PngReadStructs&) = delete;
    PngReadStructs& operator=(const PngReadStructs&) = delete;
    ~PngReadStructs()
    {
        if (png != nullptr)
            png_destroy_read_struct(&png, &info, nullptr);
    }

    bool valid() const { return png != nullptr && info != nullptr; }

    png_structp png = nullptr;
    png_infop info = nullptr;
};

PngColourType colourTypeOf(int pngColourType)
{
    switch (pngColourType)
    {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return PngColourType::GreyAlpha;
    case PNG_COLOR_TYPE_PALETTE: return PngColourType::Palette;
    case PNG_COLOR_TYPE_RGB: return PngColourType::Rgb;
    case PNG_COLOR_TYPE_RGB_ALPHA: return PngColourType::Rgba;
    default: return PngColourType::Grey;
    }
}

// After the expansions every component is one byte and rows carry no padding.
bool isExpectedLayout(const ImageLayout& layout)
{
    return layout.width > 0 && layout.height > 0 && layout.channels >= 1 && layout.channels <= kMaxChannels &&
           layout.rowBytes == std::size_t{layout.width} * static_cast<std::size_t>(layout.channels);
}

bool withinLimits(const ImageLayout& layout)
{
    constexpr auto maxSide = static_cast<png_uint_32>(kMaxPngSide);
    if (layout.width > maxSide || layout.height > maxSide)
        return false;
    return layout.rowBytes <= kMaxPngBytes / layout.height;
}

}  // namespace

PngResult decodePng(ByteReader& source, PngImage& image)
{
    image = PngImage{};
    png_byte signature[kSignatureBytes] = {};
    if (source.read(signature, kSignatureBytes) < kSignatureBytes || png_sig_cmp(signature, 0, kSignatureBytes) != 0)
        return {PngStatus::NotPng, {}};

    DecodeContext context{&source, {}};
    PngReadStructs structs(&context);
    if (!structs.valid())
        return {PngStatus::OutOfMemory, "libpng structures"};
    png_set_read_fn(structs.png, &context, readFromSource);

    ImageLayout layout{};
    if (!readLayout(structs.png, structs.info, &layout))
        return {PngStatus::DecodeError, context.message};
    if (!isExpectedLayout(layout))
        return {PngStatus::DecodeError, "unexpected pixel layout"};
    if (!withinLimits(layout))
        return {PngStatus::TooLarge, {}};

    AlignedBuffer<std::uint8_t> pixels;
    AlignedBuffer<png_bytep> rows;
    if (!pixels.allocate(layout.rowBytes * layout.height, "image") || !rows.allocate(layout.height, "row_pointers"))
        return {PngStatus::OutOfMemory, {}};
    for (png_uint_32 row = 0; row < layout.height; ++row)
        rows[row] = pixels.data() + row * layout.rowBytes;
    if (!readRows(structs.png, rows.data()))
        return {PngStatus::DecodeError, context.message};

    image.width = static_cast<int>(layout.width);
    image.height = static_cast<int>(layout.height);
    image.sourceType = colourTypeOf(layout.colourType);
    image.channels = layout.channels;
    image.pixels = std::move(pixels);
    return {PngStatus::Decoded, {}};
}

PngResult loadPngFile(SkinFiles& files, std::string_view fileName, PngImage& image)
{
    image = PngImage{};
    SkinFile* file = files.openFile(fileName);
    if (file == nullptr)
        return {PngStatus::FileMissing, {}};
    PngResult result = decodePng(file->reader, image);
    files.closeFile(file);
    return result;
}
