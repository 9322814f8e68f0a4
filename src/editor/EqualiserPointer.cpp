#include "editor/EqualiserPointer.h"

#include "glgui/VSTGL_Editor.h"

#include <algorithm>

float EqualiserPointer::curveX(int x) const
{
    return std::clamp((static_cast<float>(x) - area.left) / area.width, 0.0f, 1.0f);
}

float EqualiserPointer::curveY(int y) const
{
    return std::clamp((static_cast<float>(y) - area.bottom) / area.height, 0.0f, 1.0f);
}

int EqualiserPointer::pointUnder(int x, int y)
{
    return points.pointAt(curveX(x), curveY(y), kHitHalfWidth / area.width, kHitHalfHeight / area.height);
}

platform::PointerCursor EqualiserPointer::over(int x, int y)
{
    selectedPoint = pointUnder(x, y);
    return selectedPoint >= 0 ? platform::PointerCursor::Hand : platform::PointerCursor::Arrow;
}

platform::PointerCursor EqualiserPointer::press(int buttons, int x, int y)
{
    // Searched afresh: the hover may be stale when the pointer jumped onto the control.
    selectedPoint = pointUnder(x, y);
    dragMoves = false;
    const bool secondary = (buttons & (VSTGL_Editor::kRightButton | VSTGL_Editor::kAlt)) != 0;
    if (selectedPoint >= 0)
    {
        if ((buttons & VSTGL_Editor::kControl) != 0 || (secondary && points.isEndPoint(selectedPoint)))
        {
            // A reset is a click: it never drags the point off the line afterwards.
            points.resetToCentre(selectedPoint);
        }
        else if (secondary)
        {
            points.remove(selectedPoint);
            selectedPoint = -1;
        }
        else
        {
            dragMoves = true;
        }
    }
    else if (secondary)
    {
        selectedPoint = points.add(curveX(x), curveY(y));
        dragMoves = selectedPoint >= 0;
    }
    return selectedPoint >= 0 ? platform::PointerCursor::Hand : platform::PointerCursor::Arrow;
}

platform::PointerCursor EqualiserPointer::drag(int x, int y)
{
    if (selectedPoint < 0)
        return platform::PointerCursor::Arrow;
    if (dragMoves)
    {
        points.move(selectedPoint, curveX(x), curveY(y));
    }
    return platform::PointerCursor::Hand;
}
