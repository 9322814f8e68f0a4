#include "platform/ModuleLocation.h"

#include <dlfcn.h>
#include <unistd.h>

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
    std::string path = info.dli_fname;
    // A host that loaded us by a relative path may change its working folder later.
    if (!path.empty() && path.front() != '/')
    {
        char workingFolder[4096];
        if (getcwd(workingFolder, sizeof(workingFolder)) != nullptr)
            path = std::string(workingFolder) + "/" + path;
    }
    return folderOfPath(path);
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
