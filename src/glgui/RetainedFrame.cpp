#include "glgui/RetainedFrame.h"

#include "glgui/OpenGL.h"
#include "glgui/SpareRenderbuffers.h"

bool RetainedFrame::create(int frameWidth, int frameHeight, SpareRenderbuffers* spare)
{
    release();
    if (!(GLEW_VERSION_3_0 || GLEW_ARB_framebuffer_object) || frameWidth <= 0 || frameHeight <= 0)
        return false;
    width = frameWidth;
    height = frameHeight;
    if (spare == nullptr || !spare->take(width, height, colour, depthStencil))
    {
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glGenRenderbuffers(1, &depthStencil);
        glBindRenderbuffer(GL_RENDERBUFFER, depthStencil);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
    }
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depthStencil);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete)
        release();
    return complete;
}

void RetainedFrame::release(SpareRenderbuffers* spare)
{
    if (framebuffer != 0)
        glDeleteFramebuffers(1, &framebuffer);
    if (spare != nullptr && colour != 0 && depthStencil != 0)
    {
        spare->keep(colour, depthStencil, width, height);
    }
    else
    {
        if (colour != 0)
            glDeleteRenderbuffers(1, &colour);
        if (depthStencil != 0)
            glDeleteRenderbuffers(1, &depthStencil);
    }
    abandon();
}

void RetainedFrame::abandon()
{
    framebuffer = 0;
    colour = 0;
    depthStencil = 0;
}

void RetainedFrame::bindForDrawing() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void RetainedFrame::copyToWindow() const
{
    copyToWindow(ScreenRect{0, 0, width, height});
}

bool RetainedFrame::readsTopDown()
{
    return GLEW_MESA_pack_invert;
}

void RetainedFrame::readPixelsTopDown(const ScreenRect& part, std::uint32_t* pixels, int rowLength) const
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, rowLength);
    glPixelStorei(GL_PACK_INVERT_MESA, GL_TRUE);
    glReadPixels(part.minX, part.minY, part.maxX - part.minX, part.maxY - part.minY, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_PACK_INVERT_MESA, GL_FALSE);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
}

void RetainedFrame::copyToWindow(const ScreenRect& part) const
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glBlitFramebuffer(part.minX, part.minY, part.maxX, part.maxY, part.minX, part.minY, part.maxX, part.maxY,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
