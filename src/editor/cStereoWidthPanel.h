#pragma once

#include "editor/DisplayControl.h"

// The width display: lights across the stereo field that gather at the centre towards mono
// and spread to the sides towards wide, following the Stereo Width parameter.
class cStereoWidthPanel final : public DisplayControl
{
public:
    using DisplayControl::DisplayControl;

    void draw() override;
    bool drawsParameter(int index) const override;
};
