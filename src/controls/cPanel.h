#pragma once

#include "controls/GL_BaseControl.h"

#include <array>
#include <cstdint>

// A flat, lit, textured rectangle: the editor's background. It marks its pixels with
// stencil bit 4, so the controls' shadows (bit 1) darken the panel and nothing else. It is
// passive: never hit, never hovered.
class cPanel : public GL_BaseControl
{
public:
    static constexpr std::uint32_t kPanelStyle = 0x110002;
    static constexpr int kGridSide = 9;
    static constexpr int kGridVertices = kGridSide * kGridSide;
    static constexpr int kStripIndices = (kGridSide - 1) * kGridSide * 2;

    // imageWidth/imageHeight: the texture's size as the layout passes it; the texture
    // repeats at that size across the box unless StyleStretchTexture is set.
    cPanel(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, unsigned int texture,
           int imageWidth, int imageHeight, std::uint32_t style = kPanelStyle);

    void draw() override;

    const std::array<float, kGridVertices * 2>& textureCoordinates() const { return texCoords; }
    const std::array<std::uint16_t, kStripIndices>& stripIndices() const { return indices; }

private:
    void buildGrid();

    unsigned int texture;
    int imageWidth;
    int imageHeight;
    std::array<float, kGridVertices * 3> vertices{};
    std::array<float, kGridVertices * 3> colours{};
    std::array<float, kGridVertices * 2> texCoords{};
    std::array<std::uint16_t, kStripIndices> indices{};
};
