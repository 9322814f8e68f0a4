#include "controls/MenuList.h"

#include "controls/OverlayColours.h"
#include "glgui/VSTGL_Editor.h"

namespace
{

constexpr FontBank::Colour kPanelColour{0.06f, 0.06f, 0.07f, 0.92f};
constexpr FontBank::Colour kInactiveColour{0.5f, 0.5f, 0.53f, 1.0f};

const FontBank::Colour* colourOf(MenuRow::Look look)
{
    switch (look)
    {
    case MenuRow::Look::Choice: return &overlay_colours::kText;
    case MenuRow::Look::Chosen:
    case MenuRow::Look::Heading: return &overlay_colours::kChosen;
    case MenuRow::Look::Inactive: return &kInactiveColour;
    }
    return &overlay_colours::kText;
}

}  // namespace

ScreenRect MenuList::rect(int left, int top, int rowCount) const
{
    const int height = rowCount * kRowHeight + 2 * kPadding;
    return ScreenRect{left, top - height, left + listWidth, top};
}

int MenuList::rowAt(const ScreenRect& list, int x, int y) const
{
    if (!list.contains(x, y))
        return -1;
    const int row = (list.maxY - kPadding - y) / kRowHeight;
    return row >= 0 && row < static_cast<int>(shown.size()) ? row : -1;
}

void MenuList::draw(VSTGL_Editor& editor, const std::string& font, const ScreenRect& list, int highlighted) const
{
    FontBank& fonts = editor.resources().fonts();
    fonts.selectFont(font);
    fonts.beginText();
    float left = static_cast<float>(list.minX);
    float bottom = static_cast<float>(list.minY);
    float right = static_cast<float>(list.maxX);
    float top = static_cast<float>(list.maxY);
    editor.windowToOverlay(left, bottom);
    editor.windowToOverlay(right, top);
    fonts.drawBox(left, bottom, right, top, &kPanelColour, &overlay_colours::kFrame);
    const float firstRowTop = top - static_cast<float>(kPadding);
    if (highlighted >= 0 && highlighted < static_cast<int>(shown.size()) && shown[highlighted].pickable())
    {
        const float rowTop = firstRowTop - static_cast<float>(highlighted * kRowHeight);
        fonts.drawBox(left + 2.0f, rowTop - kRowHeight, right - 2.0f, rowTop, &overlay_colours::kBox, nullptr);
    }
    for (std::size_t row = 0; row < shown.size(); ++row)
    {
        // Text sits a third of a row above the row's bottom, inset like the value texts' boxes.
        const float baseline = firstRowTop - static_cast<float>((row + 1) * kRowHeight) + kRowHeight / 3.0f;
        fonts.drawText(shown[row].text, left + 2.0f * kPadding, baseline, colourOf(shown[row].look), nullptr, nullptr,
                       0);
    }
    fonts.endText();
}
