#pragma once

#include "glgui/ScreenRect.h"

#include <cstdint>

class SpareRenderbuffers;

// An offscreen picture the size of the editor (colour, depth and stencil) that keeps its
// pixels from one frame to the next, unlike a window's back buffer after a swap. A frame may
// then draw again only the part of the scene that changed and still present the whole
// picture. Needs framebuffer objects (OpenGL 3.0, or ARB_framebuffer_object before it).
class RetainedFrame
{
public:
    RetainedFrame() = default;
    ~RetainedFrame() = default;
    RetainedFrame(const RetainedFrame&) = delete;
    RetainedFrame& operator=(const RetainedFrame&) = delete;

    // With the editor's context current. False (and nothing held) where the driver cannot.
    // Takes the spare's buffers where they are of this size (spare may be null).
    bool create(int width, int height, SpareRenderbuffers* spare = nullptr);
    // With the same context current; the names go with the context otherwise. The buffers
    // go to the spare where there is one.
    void release(SpareRenderbuffers* spare = nullptr);
    // Forgets the names without touching GL: the context they belonged to is gone.
    void abandon();
    bool valid() const { return framebuffer != 0; }

    void bindForDrawing() const;
    // Copies the whole picture to the window's back buffer, which draws from then on.
    void copyToWindow() const;
    // Only a part, in pixels from the bottom-left corner.
    void copyToWindow(const ScreenRect& part) const;
    // Whether readPixelsTopDown can be had (Mesa's GL_MESA_pack_invert), with the context current.
    static bool readsTopDown();
    // A part's pixels as 32-bit words, blue in the low byte (GL's BGRA), rows from the top,
    // rowLength words apart: straight into an image a window system shows.
    void readPixelsTopDown(const ScreenRect& part, std::uint32_t* pixels, int rowLength) const;

private:
    std::uint32_t framebuffer = 0;
    std::uint32_t colour = 0;
    std::uint32_t depthStencil = 0;
    int width = 0;
    int height = 0;
};
