#include "editor/cStandInDisplay.h"

void cStandInDisplay::draw()
{
    if (visible)
        updateScreenRect();
}
