#pragma once

#include "controls/GL_BaseControl.h"

// Holds the place of a live display (stereo gain panel, width display, equaliser, shape
// curve) until its own control exists: the right box, style, slots and help, so layout,
// hit order and help texts are already right. It draws nothing over the faceplate.
class cStandInDisplay : public GL_BaseControl
{
public:
    using GL_BaseControl::GL_BaseControl;

    void draw() override;
};
