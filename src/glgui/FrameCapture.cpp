#include "glgui/FrameCapture.h"

#include "glgui/OpenGL.h"
#include "platform/FileReplace.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

// Read at every present, so a test can switch capturing on and off.
std::string capturePath()
{
    const char* value = std::getenv("VANTOR_CAPTURE_FRAME");
    return value != nullptr ? value : "";
}

// Every presented frame is written while a test runs, so the image is stored, not
// compressed: deflating it took most of the time the editor tests spend. False on any
// libpng error (which arrives through longjmp, hence no C++ objects in here).
bool writeStoredPng(std::FILE* file, int width, int height, png_bytepp rows)
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
    png_set_compression_level(png, 0);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

void captureFrameIfRequested(int width, int height)
{
    const std::string path = capturePath();
    if (path.empty() || width <= 0 || height <= 0)
        return;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    std::vector<unsigned char> pixels(rowBytes * height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // Whatever the frame was drawn into: the back buffer, or a single-buffered surface.
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);

    // GL rows run bottom-up; the file's top row first.
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<std::size_t>(y)] = pixels.data() + rowBytes * static_cast<std::size_t>(height - 1 - y);
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return;
    const bool written = writeStoredPng(file, width, height, rows.data());
    if (std::fclose(file) == 0 && written)
        platform::replaceFile(temporary, path);
}
