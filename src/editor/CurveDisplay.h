#pragma once

#include "editor/DisplayControl.h"

// The Shape transfer curve. Kept outside the control list, so it is neither drawn with the
// others nor hit: the Shape dial's value display draws it while the dial is hovered.
class CurveDisplay final : public DisplayControl
{
public:
    using DisplayControl::DisplayControl;

    void draw() override;
};
