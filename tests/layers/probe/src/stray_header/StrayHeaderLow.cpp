#include "low/Low.h"

int strayHeaderLowValue()
{
    return lowValue();
}
