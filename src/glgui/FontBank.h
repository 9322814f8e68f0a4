#pragma once

#include "glgui/BitmapFont.h"

#include <map>
#include <string>
#include <string_view>

class GuiResources;
class SkinData;

// Bitmap fonts by name: one GL display list per character code, single-line text with
// alignment and an optional box, and word-wrap positions for the help panel.
class FontBank
{
public:
    // drawText flags.
    static constexpr int kAlignRight = 4;
    static constexpr int kAlignCentre = 8;
    static constexpr int kSubPixel = 0x10;

    struct Colour
    {
        float red;
        float green;
        float blue;
        float alpha;
    };

    // Overlay coordinates (pixels from the window centre, y upwards).
    struct Area
    {
        float left = 0.0f;
        float bottom = 0.0f;
        float right = 0.0f;
        float top = 0.0f;
        bool empty = true;
    };

    explicit FontBank(GuiResources& owner) : resources(owner) {}

    // The skin's parsed fonts; skin outlives this bank's use of it. A missing or malformed
    // file still registers its font, which then draws nothing.
    void attach(const SkinData& skin);
    // Glyphs sampled from the dense skin's fonts of twice the resolution where it has them
    // (null: none). Their metrics are exactly twice the attached fonts', whose metrics keep
    // placing the text, so layout and wrapping stay the same. Before buildLists.
    void useDenseGlyphs(const SkinData* dense);
    void selectFont(std::string_view name);

    // GL side, with the editor's context current.
    void buildLists();
    void deleteLists();
    void beginText();
    void endText();
    void drawText(std::string_view text, float x, float y, const Colour* textColour, const Colour* outlineColour,
                  const Colour* fillColour, int flags);

    // A box in overlay coordinates between beginText and endText, filled, then framed (either
    // colour may be null), its frame one design pixel wide at any size.
    void drawBox(float left, float bottom, float right, float top, const Colour* fillColour,
                 const Colour* outlineColour) const;

    std::int64_t measureText(std::string_view text) const;
    // Where the texts drawn since the last forgetDrawnArea went, boxes and glyphs included.
    const Area& drawnArea() const { return drawn; }
    void forgetDrawnArea() { drawn = Area{}; }
    std::size_t wrapPosition(std::string_view text, std::size_t start) const;

    void clear();
    bool hasFont(std::string_view name) const { return fonts.count(std::string(name)) != 0; }

private:
    struct LoadedFont
    {
        const BitmapFont* font = nullptr;
        const BitmapFont* dense = nullptr;
        unsigned int listBase = 0;
        bool listsBuilt = false;
        unsigned int pageTexture = 0;
    };

    bool ready() const;
    void noteDrawn(float left, float bottom, float right, float top);

    GuiResources& resources;
    std::map<std::string, LoadedFont> fonts;
    LoadedFont* current = nullptr;
    Area drawn;
};
