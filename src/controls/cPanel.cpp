#include "controls/cPanel.h"

#include "glgui/OpenGL.h"

namespace
{

constexpr float kCell = 0.125f;  // one of the grid's 8 bands
constexpr int kPanelStencilBit = 4;
const float kNoSpecular[4] = {0.0f, 0.0f, 0.0f, 0.0f};

}  // namespace

cPanel::cPanel(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, unsigned int panelTexture,
               int width, int height, std::uint32_t style)
    : GL_BaseControl(editor, listener, box, nullptr, style), texture(panelTexture), imageWidth(width),
      imageHeight(height)
{
    buildGrid();
}

void cPanel::buildGrid()
{
    const float w = area.size[0];
    const float h = area.size[1];
    const bool stretch = hasStyle(StyleStretchTexture) || imageWidth <= 0 || imageHeight <= 0;
    const float scaleX = stretch ? 1.0f : w / static_cast<float>(imageWidth);
    const float scaleY = stretch ? 1.0f : h / static_cast<float>(imageHeight);
    for (int row = 0; row < kGridSide; ++row)
    {
        for (int column = 0; column < kGridSide; ++column)
        {
            const int k = kGridSide * row + column;
            vertices[3 * k] = w * kCell * static_cast<float>(column);
            vertices[3 * k + 1] = h * kCell * static_cast<float>(row);
            vertices[3 * k + 2] = area.centre[2];
            colours[3 * k] = colour[0];
            colours[3 * k + 1] = colour[1];
            colours[3 * k + 2] = colour[2];
            // The top row has t = 0: the image's first row shows at the top.
            texCoords[2 * k] = kCell * static_cast<float>(column) * scaleX;
            texCoords[2 * k + 1] = (1.0f - kCell * static_cast<float>(row)) * scaleY;
        }
    }
    // One serpentine triangle strip over the 8 bands.
    std::size_t next = 0;
    for (int band = 0; band < kGridSide - 1; ++band)
    {
        const int base = kGridSide * band;
        for (int step = 0; step < kGridSide; ++step)
        {
            const int column = band % 2 == 0 ? step : kGridSide - 1 - step;
            indices[next++] = static_cast<std::uint16_t>(base + column);
            indices[next++] = static_cast<std::uint16_t>(base + column + kGridSide);
        }
    }
}

void cPanel::draw()
{
    glPushMatrix();
    glUseProgram(0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    if (texture != 0)
    {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    glStencilMask(kPanelStencilBit);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, kPanelStencilBit, kPanelStencilBit);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glDepthMask(GL_TRUE);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glLoadIdentity();
    glTranslatef(area.origin[0], area.origin[1], area.origin[2]);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, kNoSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);
    glColorPointer(3, GL_FLOAT, 0, colours.data());
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords.data());
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glDrawElements(GL_TRIANGLE_STRIP, kStripIndices, GL_UNSIGNED_SHORT, indices.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glEnable(GL_CULL_FACE);
    glLoadIdentity();
    glDisable(GL_STENCIL_TEST);
    glStencilMask(0);
    glStencilFunc(GL_ALWAYS, 0, 0);
    glPopMatrix();
}
