#include "platform/ModuleLocation.h"

#include "platform/x11/LoadedObjects.h"

#include <climits>
#include <unistd.h>

namespace platform
{

namespace
{

std::string findModuleDirectory()
{
    // Any address inside this module identifies the shared object it was loaded from.
    // (dladdr would tell too, but ties the module to glibc 2.34 or later.)
    LoadedObject module;
    if (!findLoadedObject(reinterpret_cast<const void*>(&findModuleDirectory), module))
        return {};
    std::string path = module.name;
    // The loader names no file for the program itself (code linked into a program, as in tests).
    if (path.empty())
    {
        char program[PATH_MAX];
        const ssize_t length = readlink("/proc/self/exe", program, sizeof(program) - 1);
        if (length <= 0)
            return {};
        path.assign(program, static_cast<std::size_t>(length));
    }
    // A host that loaded us by a relative path may change its working folder later.
    if (path.front() != '/')
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
