#include "PngFile.h"

#include "RenderErrors.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace
{

// libpng reports its errors through longjmp, so no C++ object lives in here.
bool writeRows(std::FILE* file, int width, int height, png_bytepp rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png)) != 0)
    {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

void writePngFile(const std::string& path, const Canvas& canvas)
{
    std::vector<png_bytep> rows(static_cast<std::size_t>(canvas.height()));
    const std::size_t rowBytes = static_cast<std::size_t>(canvas.width()) * 3;
    // libpng takes non-const rows but only reads them.
    auto* pixels = const_cast<png_bytep>(canvas.pixels().data());
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows[row] = pixels + row * rowBytes;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        throw RenderFailure(path + ": cannot write the report picture");
    const bool written = writeRows(file, canvas.width(), canvas.height(), rows.data());
    if (std::fclose(file) != 0 || !written)
        throw RenderFailure(path + ": cannot write the report picture");
}
