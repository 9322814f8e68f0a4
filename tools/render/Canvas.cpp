#include "Canvas.h"

#include "BitmapFont.h"

#include <algorithm>
#include <cstdlib>

Canvas::Canvas(int width, int height, Colour background)
    : pictureWidth(width), pictureHeight(height), rgb(static_cast<std::size_t>(width) * height * 3)
{
    fill(0, 0, width, height, background);
}

void Canvas::fill(int x, int y, int width, int height, Colour colour)
{
    const int left = std::max(x, 0);
    const int right = std::min(x + width, pictureWidth);
    const int top = std::max(y, 0);
    const int bottom = std::min(y + height, pictureHeight);
    for (int row = top; row < bottom; ++row)
    {
        for (int column = left; column < right; ++column)
        {
            std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(row) * pictureWidth + column) * 3];
            pixel[0] = colour.red;
            pixel[1] = colour.green;
            pixel[2] = colour.blue;
        }
    }
}

void Canvas::blend(int x, int y, Colour colour, float amount)
{
    if (x < 0 || y < 0 || x >= pictureWidth || y >= pictureHeight)
        return;
    const float kept = 1.0f - std::clamp(amount, 0.0f, 1.0f);
    std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * pictureWidth + x) * 3];
    const std::uint8_t mixed[3] = {colour.red, colour.green, colour.blue};
    for (int channel = 0; channel < 3; ++channel)
        pixel[channel] = static_cast<std::uint8_t>(pixel[channel] * kept + mixed[channel] * (1.0f - kept) + 0.5f);
}

// Bresenham's walk, each step a square of thickness pixels.
void Canvas::line(int x0, int y0, int x1, int y1, Colour colour, int thickness)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    const int offset = (thickness - 1) / 2;
    for (;;)
    {
        fill(x0 - offset, y0 - offset, thickness, thickness, colour);
        if (x0 == x1 && y0 == y1)
            return;
        const int doubled = 2 * error;
        if (doubled >= dy)
        {
            error += dy;
            x0 += stepX;
        }
        if (doubled <= dx)
        {
            error += dx;
            y0 += stepY;
        }
    }
}

void Canvas::frame(int x, int y, int width, int height, Colour colour)
{
    fill(x, y, width, 1, colour);
    fill(x, y + height - 1, width, 1, colour);
    fill(x, y, 1, height, colour);
    fill(x + width - 1, y, 1, height, colour);
}

void Canvas::dot(int x, int y, int radius, Colour colour)
{
    for (int row = -radius; row <= radius; ++row)
        for (int column = -radius; column <= radius; ++column)
            if (row * row + column * column <= radius * radius)
                fill(x + column, y + row, 1, 1, colour);
}

void Canvas::text(int x, int y, const std::string& text, Colour colour, int scale)
{
    for (const char c : text)
    {
        const std::uint8_t* rows = glyphRows(c);
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int column = 0; column < kGlyphWidth; ++column)
                if ((rows[row] >> (kGlyphWidth - 1 - column)) & 1)
                    fill(x + column * scale, y + row * scale, scale, scale, colour);
        x += kGlyphAdvance * scale;
    }
}

int Canvas::textWidth(const std::string& text, int scale)
{
    return static_cast<int>(text.size()) * kGlyphAdvance * scale - scale;
}
