#include "platform/ModuleLocation.h"

#include <dlfcn.h>

namespace platform
{

namespace
{

std::string findModuleDirectory()
{
    Dl_info info{};
    // Any address inside this module identifies the shared object it was loaded from.
    if (dladdr(reinterpret_cast<void*>(&findModuleDirectory), &info) == 0 || info.dli_fname == nullptr)
        return {};
    return folderOfPath(info.dli_fname);
}

}  // namespace

const std::string& moduleDirectory()
{
    static const std::string directory = findModuleDirectory();
    return directory;
}

void* moduleInstance()
{
    return nullptr;
}

}  // namespace platform
