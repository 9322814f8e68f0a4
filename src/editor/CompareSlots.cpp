#include "editor/CompareSlots.h"

Setting CompareSlots::switchOver(const Setting& live)
{
    const Setting next = otherHeld ? other : live;
    other = live;
    otherHeld = true;
    current = current == Slot::A ? Slot::B : Slot::A;
    return next;
}

void CompareSlots::copyToOther(const Setting& live)
{
    other = live;
    otherHeld = true;
}
