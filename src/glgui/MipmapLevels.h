#pragma once

#include <cstdint>
#include <vector>

// The next smaller mipmap level of an 8-bit image (`channels` bytes a pixel, rows packed):
// half the size, at least 1, each pixel the rounded mean of the 2 x 2 block above it (a
// last odd row or column of the larger level is left out, as halving whole blocks does).
std::vector<std::uint8_t> halvedLevel(const std::uint8_t* pixels, int width, int height, int channels);
