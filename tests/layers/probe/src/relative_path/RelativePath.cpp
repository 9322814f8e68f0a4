// Wrong way: a header of the layer above, by a path into its folder.
#include "../high/High.h"

int relativePathValue()
{
    return highValue();
}
