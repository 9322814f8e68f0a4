#include "platform/FileReplace.h"

#include <windows.h>

namespace platform
{

// rename() refuses an existing target on Windows.
bool replaceFile(const std::string& source, const std::string& target)
{
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace platform
