#include "low/Low.h"

int unlinkedHeaderLowValue()
{
    return lowValue();
}
