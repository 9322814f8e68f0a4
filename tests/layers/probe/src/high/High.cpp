#include "high/High.h"

int highValue()
{
    return lowValue() + 1;
}
