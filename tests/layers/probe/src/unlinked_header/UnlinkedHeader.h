#pragma once

// Wrong way, in a header that no source of its layer includes: the layer above is not linked.
#include "high/High.h"

inline int unlinkedHeaderValue()
{
    return highValue();
}
