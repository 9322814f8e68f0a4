#pragma once

class GuiResources;

// A display's box as a quad in normalised device coordinates (box x and y relative to the
// window centre, in pixels), drawn with texture coordinates 0..1 across it.
struct DeviceQuad
{
    // Bottom-left, bottom-right, top-left, top-right.
    float corners[4][2];

    static DeviceQuad fromBox(float x, float y, float width, float height, int editorWidth, int editorHeight);
    void draw(GuiResources& resources) const;
};
