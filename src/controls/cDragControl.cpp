#include "controls/cDragControl.h"

void cDragControl::onMouseDown(int buttons, int x, int y)
{
    lastX = x;
    lastY = y;
    beginGesture();
    follow(buttons, x, y);
}

void cDragControl::onMouseDrag(int buttons, int x, int y)
{
    follow(buttons, x, y);
}

void cDragControl::follow(int buttons, int x, int y)
{
    if (isControlClick(buttons))
        resetToDefault();
    else
        dragBy(x - lastX, y - lastY, isFine(buttons));
    lastX = x;
    lastY = y;
    requestCursor(dragCursor());
    report(dragValue());
}

void cDragControl::onMouseUp(int, int, int)
{
    endGesture();
}

void cDragControl::onMouseOver(int, int)
{
    requestCursor(dragCursor());
}
