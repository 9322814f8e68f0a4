#pragma once

#include <png.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// The frame the editor last presented, as written by its in-process capture.
struct CapturedFrame
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // top row first

    static std::string path()
    {
        const char* value = std::getenv("VANTOR_CAPTURE_FRAME");
        return value != nullptr ? value : "";
    }

    static CapturedFrame read(const std::string& file = path())
    {
        CapturedFrame frame;
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_file(&image, file.c_str()) == 0)
            return frame;
        image.format = PNG_FORMAT_RGBA;
        frame.rgba.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, frame.rgba.data(), 0, nullptr) == 0)
            return {};
        frame.width = static_cast<int>(image.width);
        frame.height = static_cast<int>(image.height);
        return frame;
    }

    const std::uint8_t* pixel(int x, int yFromTop) const
    {
        return rgba.data() + (static_cast<std::size_t>(yFromTop) * width + x) * 4;
    }
};
