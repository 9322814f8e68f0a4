#include "platform/PlatformName.h"

namespace platform
{

const char* platformName()
{
    return "Win";
}

}  // namespace platform
