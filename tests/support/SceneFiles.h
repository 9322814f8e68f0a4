#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Small skin files tests write themselves: an image, a model, a font and shaders.
std::vector<std::uint8_t> pngOf(int width, int height, const std::vector<std::uint8_t>& rgba);
// A square of the given size at z = 0 facing the viewer, one self-lit material of that colour.
std::vector<std::uint8_t> squareModel(float size, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
// A font whose every printable character is a solid 8 x 8 cell advancing 10 pixels.
std::string solidFont();
