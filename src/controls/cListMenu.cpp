#include "controls/cListMenu.h"

#include <algorithm>

namespace
{

// Local coordinates sit this far below the button's bottom edge (the container's convention).
constexpr int kLocalYOffset = 2;

}  // namespace

cListMenu::cListMenu(VSTGL_Editor& editor, cControlListener& listener, const ControlBox& box, std::uint32_t style,
                     std::string fontName, int listWidth, MenuContent& content)
    : GL_BaseControl(editor, listener, box, nullptr, style), font(std::move(fontName)), menuContent(content),
      list(listWidth)
{
}

void cListMenu::refresh()
{
    if (!open)
        return;
    std::vector<MenuRow> rows = menuContent.rows();
    rows.resize(std::min(rows.size(), static_cast<std::size_t>(kMostRows)));
    list.setRows(std::move(rows));
    markChanged();
}

ScreenRect cListMenu::listRect() const
{
    const ScreenRect& button = screenRect();
    return list.rect(button.minX, button.minY);
}

void cListMenu::close()
{
    open = false;
    menuContent.closed();
    markChanged();
}

void cListMenu::onMouseDown(int, int x, int y)
{
    highlighted = -1;
    if (!open)
    {
        open = true;
        refresh();
        return;
    }
    const int row = list.rowAt(listRect(), x + screenRect().minX, y + screenRect().minY + kLocalYOffset);
    if (row < 0)
    {
        close();
        return;
    }
    if (!list.rows()[static_cast<std::size_t>(row)].pickable())
        return;
    if (menuContent.pick(static_cast<std::size_t>(row)))
        refresh();
    else
        close();
}

void cListMenu::onMouseOver(int x, int y)
{
    const int now = open ? list.rowAt(listRect(), x + screenRect().minX, y + screenRect().minY + kLocalYOffset) : -1;
    if (now != highlighted)
        markChanged();
    highlighted = now;
}

ScreenRect cListMenu::computeReach(const ReachProjector& projector) const
{
    ScreenRect whole = GL_BaseControl::computeReach(projector);
    const ScreenRect& button = screenRect();
    whole.unite(list.rect(button.minX, button.minY, kMostRows).grownBy(2));
    return whole;
}

void cListMenu::draw()
{
    if (open)
        list.draw(owner, font, listRect(), highlighted);
}
