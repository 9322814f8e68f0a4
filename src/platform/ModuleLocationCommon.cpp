#include "platform/ModuleLocation.h"

namespace platform
{

std::string folderOfPath(const std::string& modulePath)
{
    const std::size_t lastSeparator = modulePath.find_last_of("/\\");
    if (lastSeparator == std::string::npos)
        return {};
    return modulePath.substr(0, lastSeparator + 1);
}

}  // namespace platform
