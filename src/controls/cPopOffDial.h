#pragma once

#include "controls/cDial.h"

// The Punch dial's class; it behaves as a plain dial in every respect.
class cPopOffDial : public cDial
{
public:
    using cDial::cDial;
};
