#include "platform/ModuleLocation.h"

#include <windows.h>

namespace platform
{

namespace
{

HMODULE findOwnModule()
{
    HMODULE module = nullptr;
    // Any address inside this DLL identifies it; no DllMain needed, and the reference
    // count stays untouched.
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&findOwnModule), &module);
    return module;
}

std::string findModuleDirectory()
{
    char path[512] = {};
    const DWORD length = GetModuleFileNameA(findOwnModule(), path, sizeof(path));
    if (length == 0 || length >= sizeof(path))
        return {};
    return folderOfPath(std::string(path, length));
}

}  // namespace

const std::string& moduleDirectory()
{
    static const std::string directory = findModuleDirectory();
    return directory;
}

void* moduleInstance()
{
    static HMODULE instance = findOwnModule();
    return instance;
}

}  // namespace platform
