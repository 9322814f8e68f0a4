#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Colour
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// An RGB picture drawn in whole pixels: rectangles, lines, dots and bitmap-font text. Drawing
// outside the picture is clipped.
class Canvas
{
public:
    Canvas(int width, int height, Colour background);

    int width() const { return pictureWidth; }
    int height() const { return pictureHeight; }
    // Rows top first, three bytes a pixel.
    const std::vector<std::uint8_t>& pixels() const { return rgb; }

    void fill(int x, int y, int width, int height, Colour colour);
    // Mixes colour in by amount (0 leaves the pixel, 1 replaces it).
    void blend(int x, int y, Colour colour, float amount);
    void line(int x0, int y0, int x1, int y1, Colour colour, int thickness = 1);
    void frame(int x, int y, int width, int height, Colour colour);
    void dot(int x, int y, int radius, Colour colour);

    // Text with its top left at (x, y), each font pixel scale x scale pixels.
    void text(int x, int y, const std::string& text, Colour colour, int scale = 2);
    static int textWidth(const std::string& text, int scale = 2);

private:
    int pictureWidth;
    int pictureHeight;
    std::vector<std::uint8_t> rgb;
};
