#include "editor/SizeMenu.h"

#include "editor/EditorScale.h"

#include <cmath>
#include <string>

namespace
{

std::string percentText(float factor)
{
    return std::to_string(std::lround(factor * 100.0f)) + " %";
}

MenuRow::Look lookFor(bool chosen)
{
    return chosen ? MenuRow::Look::Chosen : MenuRow::Look::Choice;
}

}  // namespace

std::vector<MenuRow> SizeMenu::rows()
{
    const float chosen = editorScale.userChoice();
    std::vector<MenuRow> rows{
        {"Automatic (" + percentText(editorScale.automatic()) + ")", lookFor(chosen == EditorScale::kAutomatic)}};
    for (const float factor : EditorScale::kFactors)
        rows.push_back({percentText(factor), lookFor(chosen == factor)});
    return rows;
}

bool SizeMenu::pick(std::size_t row)
{
    if (row == 0)
        editorScale.choose(EditorScale::kAutomatic);
    else if (row <= EditorScale::kFactors.size())
        editorScale.choose(EditorScale::kFactors[row - 1]);
    return false;
}
