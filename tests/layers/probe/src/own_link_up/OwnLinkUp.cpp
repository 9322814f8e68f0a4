// Wrong way: a header of the layer above, by its own include folder's link and "..".
#include "own_link_up/../high/High.h"

int ownLinkUpValue()
{
    return highValue();
}
