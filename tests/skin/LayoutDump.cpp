// Prints the editor's layout table, one control per line: name|x|y|w|h|z (origin relative to
// the faceplate's bottom-left corner), for the skin generator's layout check.
#include "editor/EditorLayout.h"

#include <cstdio>

namespace
{

void print(const layout::Row& row)
{
    std::printf("%s|%g|%g|%g|%g|%g\n", row.name, row.origin[0], row.origin[1], row.size[0], row.size[1], row.origin[2]);
}

}  // namespace

int main()
{
    for (const layout::Row& row : layout::controlRows())
        print(row);
    print(layout::curveDisplayRow());
    std::printf("handle length|%g|0|0|0|0\n", layout::kSliderHandleLength);
    return 0;
}
