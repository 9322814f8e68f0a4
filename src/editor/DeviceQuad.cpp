#include "editor/DeviceQuad.h"

#include "glgui/GuiResources.h"

DeviceQuad DeviceQuad::fromBox(float x, float y, float width, float height, int editorWidth, int editorHeight)
{
    const float left = x * 2.0f / static_cast<float>(editorWidth);
    const float bottom = y * 2.0f / static_cast<float>(editorHeight);
    const float right = left + width * 2.0f / static_cast<float>(editorWidth);
    const float top = bottom + height * 2.0f / static_cast<float>(editorHeight);
    return {{{left, bottom}, {right, bottom}, {left, top}, {right, top}}};
}

void DeviceQuad::draw(GuiResources& resources) const
{
    resources.drawQuad(corners[0], corners[1], corners[2], corners[3], 0.0f, 0.0f, 1.0f, 1.0f);
}
