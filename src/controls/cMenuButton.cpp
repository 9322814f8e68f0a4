#include "controls/cMenuButton.h"

#include "glgui/VSTGL_Editor.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr int kListWidth = 120;
// Local coordinates sit this far below the button's bottom edge (the container's convention).
constexpr int kLocalYOffset = 2;

}  // namespace

cMenuButton::cMenuButton(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                         std::string fontName)
    : GL_BaseControl(editor, listener, box, nullptr, style), font(std::move(fontName)), list(kListWidth)
{
}

void cMenuButton::setChoices(std::vector<std::string> labels)
{
    std::vector<MenuRow> rows;
    for (std::string& label : labels)
        rows.push_back({std::move(label), MenuRow::Look::Choice});
    list.setRows(std::move(rows));
    setValue(0, hasSlot() ? getValue(0) : 0.0f);
    markChanged();
}

std::size_t cMenuButton::choiceCount() const
{
    return list.rows().size();
}

int cMenuButton::pickedChoice() const
{
    if (choiceCount() < 2 || !hasSlot())
        return 0;
    const float last = static_cast<float>(choiceCount() - 1);
    const float index = std::round(std::clamp(getValue(0), 0.0f, 1.0f) * last);
    return static_cast<int>(index);
}

ScreenRect cMenuButton::listRect() const
{
    const ScreenRect& button = screenRect();
    return list.rect(button.minX, button.minY);
}

int cMenuButton::choiceAt(int x, int y) const
{
    return list.rowAt(listRect(), x, y);
}

void cMenuButton::onMouseDown(int, int x, int y)
{
    const int windowX = x + screenRect().minX;
    const int windowY = y + screenRect().minY + kLocalYOffset;
    const int choice = open ? choiceAt(windowX, windowY) : -1;
    if (choice >= 0 && choiceCount() >= 2)
    {
        const float value = static_cast<float>(choice) / static_cast<float>(choiceCount() - 1);
        setValue(0, value);
        report(value);
    }
    open = !open && choice < 0 && !list.rows().empty();
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

void cMenuButton::setValue(std::size_t slot, float value)
{
    GL_BaseControl::setValue(slot, value);
    std::vector<MenuRow> rows = list.rows();
    for (std::size_t row = 0; row < rows.size(); ++row)
        rows[row].look = static_cast<int>(row) == pickedChoice() ? MenuRow::Look::Chosen : MenuRow::Look::Choice;
    list.setRows(std::move(rows));
}

void cMenuButton::draw()
{
    if (open)
        list.draw(owner, font, listRect(), highlighted);
}
