#include "glgui/FontBank.h"

#include "base/AsciiCase.h"
#include "glgui/GuiResources.h"
#include "glgui/OpenGL.h"
#include "glgui/SkinData.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr int kListCount = 256;

}  // namespace

void FontBank::attach(const SkinData& skin)
{
    deleteLists();
    clear();
    for (const auto& [name, font] : skin.fonts())
        fonts[name].font = &font;
}

void FontBank::useDenseGlyphs(const SkinData* dense)
{
    for (auto& [name, entry] : fonts)
    {
        entry.dense = nullptr;
        if (dense == nullptr)
            continue;
        const auto found = dense->fonts().find(name);
        if (found != dense->fonts().end() && found->second.hasGlyphs)
            entry.dense = &found->second;
    }
}

void FontBank::selectFont(std::string_view name)
{
    const auto found = fonts.find(toLowerAscii(name));
    current = found == fonts.end() ? nullptr : &found->second;
    if (current != nullptr)
        current->pageTexture = resources.textures().getTexture(found->first + ".png");
}

void FontBank::buildLists()
{
    for (auto& [name, entry] : fonts)
    {
        if (entry.listsBuilt || !entry.font->hasGlyphs)
            continue;
        entry.listBase = glGenLists(kListCount);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        for (int code = 0; code < kListCount; ++code)
        {
            GlyphQuad quad = glyphQuad(*entry.font, static_cast<unsigned char>(code));
            if (entry.dense != nullptr)
                quad.texCoords = glyphQuad(*entry.dense, static_cast<unsigned char>(code)).texCoords;
            glNewList(entry.listBase + static_cast<GLuint>(code), GL_COMPILE);
            if (quad.visible)
            {
                glBegin(GL_POLYGON);
                for (int corner = 0; corner < 4; ++corner)
                {
                    glTexCoord2f(quad.texCoords[2 * corner], quad.texCoords[2 * corner + 1]);
                    glVertex2f(quad.vertices[2 * corner], quad.vertices[2 * corner + 1]);
                }
                glEnd();
            }
            glTranslatef(quad.advance, 0.0f, 0.0f);
            glEndList();
        }
        entry.listsBuilt = true;
    }
}

void FontBank::deleteLists()
{
    for (auto& [name, entry] : fonts)
    {
        if (!entry.listsBuilt)
            continue;
        glDeleteLists(entry.listBase, kListCount);
        entry.listsBuilt = false;
    }
}

bool FontBank::ready() const
{
    return current != nullptr && resources.guiReady();
}

void FontBank::beginText()
{
    if (!ready())
        return;
    resources.setOrthoView();
    glUseProgram(0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_FLAT);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, current->pageTexture);
}

void FontBank::endText()
{
    if (!ready())
        return;
    resources.setPerspectiveView();
    glEnable(GL_LIGHTING);
}

void FontBank::drawText(std::string_view text, float x, float y, const Colour* textColour, const Colour* outlineColour,
                        const Colour* fillColour, int flags)
{
    if (!ready() || !current->listsBuilt)
        return;
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const float width = static_cast<float>(measureText(text));
    const float base = static_cast<float>(current->font->base);
    if ((flags & kAlignCentre) != 0)
        x -= std::trunc(width * 0.5f);
    else if ((flags & kAlignRight) != 0)
        x -= width;
    if ((flags & kSubPixel) == 0)
    {
        x = std::trunc(x);
        y = std::trunc(y);
    }
    const float left = x - 3.0f;
    const float bottom = y - 2.0f;
    const float right = x + width + 3.0f;
    const float top = y + base + 1.0f;
    // Glyphs may hang below the box and overhang its ends: a line's height on every side.
    const float lineHeight = static_cast<float>(std::max(current->font->lineHeight, current->font->base));
    noteDrawn(left - lineHeight, bottom - lineHeight, right + lineHeight, top + lineHeight);
    drawBox(left, bottom, right, top, fillColour, outlineColour);
    if (textColour != nullptr)
        glColor4f(textColour->red, textColour->green, textColour->blue, textColour->alpha);
    glLoadIdentity();
    glTranslatef(x, y, 0.1f);
    for (unsigned char code : text)
        glCallList(current->listBase + code);
}

void FontBank::drawBox(float left, float bottom, float right, float top, const Colour* fillColour,
                       const Colour* outlineColour) const
{
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const auto box = [&](const Colour* colour, GLenum mode)
    {
        if (colour == nullptr)
            return;
        glColor4f(colour->red, colour->green, colour->blue, colour->alpha);
        glLineWidth(resources.pixelScale());
        glBegin(mode);
        glVertex2f(left, bottom);
        glVertex2f(right, bottom);
        glVertex2f(right, top);
        glVertex2f(left, top);
        glEnd();
    };
    box(fillColour, GL_POLYGON);
    box(outlineColour, GL_LINE_LOOP);
    glEnable(GL_TEXTURE_2D);
}

void FontBank::noteDrawn(float left, float bottom, float right, float top)
{
    if (drawn.empty)
    {
        drawn = Area{left, bottom, right, top, false};
        return;
    }
    drawn.left = std::min(drawn.left, left);
    drawn.bottom = std::min(drawn.bottom, bottom);
    drawn.right = std::max(drawn.right, right);
    drawn.top = std::max(drawn.top, top);
}

std::int64_t FontBank::measureText(std::string_view text) const
{
    return current != nullptr ? ::measureText(*current->font, text) : 0;
}

std::size_t FontBank::wrapPosition(std::string_view text, std::size_t start) const
{
    if (!ready())
        return 0;
    return ::wrapPosition(*current->font, text, start);
}

void FontBank::clear()
{
    fonts.clear();
    current = nullptr;
}
