#pragma once

#include "editor/EqualiserPoints.h"
#include "window/NativeGlWindow.h"

// The equaliser's pointer rules over its points. Coordinates are the control's local
// pointer coordinates; `area` says where the curve's 0..1 square lies in them.
//   left-drag            moves the point under the pointer (end points only up and down)
//   right- or Alt-click  on a point removes it (an end point is reset to 0 dB instead);
//                        in empty space adds one, which a following drag moves
//   Ctrl-click           returns the point to 0 dB and does not drag
class EqualiserPointer
{
public:
    struct Area
    {
        float left;
        float bottom;
        float width;
        float height;
    };

    // Hit box half sizes, in pointer units.
    static constexpr float kHitHalfWidth = 15.2f;
    static constexpr float kHitHalfHeight = 14.2f;

    EqualiserPointer(EqualiserPoints& equaliserPoints, const Area& pointerArea)
        : points(equaliserPoints), area(pointerArea)
    {
    }

    // The curve square moves with the control's screen rectangle.
    void setArea(const Area& pointerArea) { area = pointerArea; }

    // Each answers the pointer shape to show.
    platform::PointerCursor over(int x, int y);
    platform::PointerCursor press(int buttons, int x, int y);
    platform::PointerCursor drag(int x, int y);
    void release() { selectedPoint = -1; }

    // The selected slot (under the pointer, or being dragged), -1 for none.
    int selected() const { return selectedPoint; }

private:
    float curveX(int x) const;
    float curveY(int y) const;
    int pointUnder(int x, int y);

    EqualiserPoints& points;
    Area area;
    int selectedPoint = -1;
    bool dragMoves = false;
};
