#include "glgui/MipmapLevels.h"

#include <algorithm>
#include <cstddef>

std::vector<std::uint8_t> halvedLevel(const std::uint8_t* pixels, int width, int height, int channels)
{
    const int halfWidth = std::max(1, width / 2);
    const int halfHeight = std::max(1, height / 2);
    std::vector<std::uint8_t> level(static_cast<std::size_t>(halfWidth) * halfHeight * channels);
    const auto at = [&](int x, int y, int c)
    { return static_cast<unsigned>(pixels[(static_cast<std::size_t>(y) * width + x) * channels + c]); };
    for (int y = 0; y < halfHeight; ++y)
    {
        // A side of one pixel has no second row or column to take.
        const int top = 2 * y;
        const int bottom = std::min(top + 1, height - 1);
        for (int x = 0; x < halfWidth; ++x)
        {
            const int left = 2 * x;
            const int right = std::min(left + 1, width - 1);
            for (int c = 0; c < channels; ++c)
            {
                const unsigned sum = at(left, top, c) + at(right, top, c) + at(left, bottom, c) + at(right, bottom, c);
                level[(static_cast<std::size_t>(y) * halfWidth + x) * channels + c] =
                    static_cast<std::uint8_t>((sum + 2) / 4);
            }
        }
    }
    return level;
}
