#include "controls/cMenuButton.h"

#include "controls/OverlayColours.h"
#include "glgui/VSTGL_Editor.h"

#include <algorithm>
#include <cmath>

namespace
{

// The list's rows and margins in design pixels.
constexpr int kRowHeight = 18;
constexpr int kListWidth = 120;
constexpr int kPadding = 6;
// Local coordinates sit this far below the button's bottom edge (the container's convention).
constexpr int kLocalYOffset = 2;
constexpr FontBank::Colour kPanelColour{0.06f, 0.06f, 0.07f, 0.92f};

}  // namespace

cMenuButton::cMenuButton(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                         std::string fontName)
    : GL_BaseControl(editor, listener, box, nullptr, style), font(std::move(fontName))
{
}

void cMenuButton::setChoices(std::vector<std::string> labels)
{
    choices = std::move(labels);
    markChanged();
}

int cMenuButton::pickedChoice() const
{
    if (choices.size() < 2 || !hasSlot())
        return 0;
    const float last = static_cast<float>(choices.size() - 1);
    const float index = std::round(std::clamp(getValue(0), 0.0f, 1.0f) * last);
    return static_cast<int>(index);
}

ScreenRect cMenuButton::listRect() const
{
    const ScreenRect& button = screenRect();
    const int height = static_cast<int>(choices.size()) * kRowHeight + 2 * kPadding;
    return ScreenRect{button.minX, button.minY - height, button.minX + kListWidth, button.minY};
}

int cMenuButton::choiceAt(int x, int y) const
{
    const ScreenRect list = listRect();
    if (!list.contains(x, y))
        return -1;
    const int row = (list.maxY - kPadding - y) / kRowHeight;
    return row >= 0 && row < static_cast<int>(choices.size()) ? row : -1;
}

void cMenuButton::onMouseDown(int, int x, int y)
{
    const int windowX = x + screenRect().minX;
    const int windowY = y + screenRect().minY + kLocalYOffset;
    const int choice = open ? choiceAt(windowX, windowY) : -1;
    if (choice >= 0 && choices.size() >= 2)
    {
        const float value = static_cast<float>(choice) / static_cast<float>(choices.size() - 1);
        setValue(0, value);
        report(value);
    }
    open = !open && choice < 0 && !choices.empty();
    highlighted = -1;
    markChanged();
}

void cMenuButton::onMouseOver(int x, int y)
{
    const int now = open ? choiceAt(x + screenRect().minX, y + screenRect().minY + kLocalYOffset) : -1;
    if (now != highlighted)
        markChanged();
    highlighted = now;
}

ScreenRect cMenuButton::computeReach(const ReachProjector& projector) const
{
    ScreenRect whole = GL_BaseControl::computeReach(projector);
    whole.unite(listRect().grownBy(2));
    return whole;
}

void cMenuButton::draw()
{
    if (!open)
        return;
    FontBank& fonts = owner.resources().fonts();
    fonts.selectFont(font);
    fonts.beginText();
    const ScreenRect list = listRect();
    float left = static_cast<float>(list.minX);
    float bottom = static_cast<float>(list.minY);
    float right = static_cast<float>(list.maxX);
    float top = static_cast<float>(list.maxY);
    owner.windowToOverlay(left, bottom);
    owner.windowToOverlay(right, top);
    fonts.drawBox(left, bottom, right, top, &kPanelColour, &overlay_colours::kFrame);
    const float firstRowTop = top - static_cast<float>(kPadding);
    if (highlighted >= 0)
    {
        const float rowTop = firstRowTop - static_cast<float>(highlighted * kRowHeight);
        fonts.drawBox(left + 2.0f, rowTop - kRowHeight, right - 2.0f, rowTop, &overlay_colours::kBox, nullptr);
    }
    const int picked = pickedChoice();
    for (std::size_t row = 0; row < choices.size(); ++row)
    {
        // Text sits a third of a row above the row's bottom, inset like the value texts' boxes.
        const float baseline = firstRowTop - static_cast<float>((row + 1) * kRowHeight) + kRowHeight / 3.0f;
        const bool isPicked = static_cast<int>(row) == picked;
        fonts.drawText(choices[row], left + 2.0f * kPadding, baseline,
                       isPicked ? &overlay_colours::kChosen : &overlay_colours::kText, nullptr, nullptr, 0);
    }
    fonts.endText();
}
