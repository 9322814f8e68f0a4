#include "low/Low.h"

int lowValue()
{
    return 1;
}
