#pragma once

// Wrong way, in a header that no source of its layer includes.
#include "../high/High.h"

inline int strayHeaderValue()
{
    return highValue();
}
