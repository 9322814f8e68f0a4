#include "glgui/FrameCapture.h"

#include "glgui/OpenGL.h"
#include "platform/FileReplace.h"

#include <png.h>

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

}  // namespace

void captureFrameIfRequested(int width, int height)
{
    const std::string path = capturePath();
    if (path.empty() || width <= 0 || height <= 0)
        return;
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // Whatever the frame was drawn into: the back buffer, or a single-buffered surface.
    GLint drawBuffer = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
    glReadBuffer(static_cast<GLenum>(drawBuffer));
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    // GL rows run bottom-up; a negative stride writes them top row first.
    const png_int_32 stride = -static_cast<png_int_32>(width * 4);
    const std::string temporary = path + ".part";
    if (png_image_write_to_file(&image, temporary.c_str(), 0, pixels.data(), stride, nullptr) != 0)
        platform::replaceFile(temporary, path);
    png_image_free(&image);
}
