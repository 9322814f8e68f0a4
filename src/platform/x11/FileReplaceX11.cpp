#include "platform/FileReplace.h"

#include <cstdio>

namespace platform
{

bool replaceFile(const std::string& source, const std::string& target)
{
    return std::rename(source.c_str(), target.c_str()) == 0;
}

}  // namespace platform
