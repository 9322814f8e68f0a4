#include "platform/PlatformName.h"

namespace platform
{

const char* platformName()
{
    return "Linux";
}

}  // namespace platform
