#include "SharedLibrary.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

OpenedLibrary openSharedLibrary(const std::string& path)
{
    OpenedLibrary library;
#if defined(_WIN32)
    HMODULE handle = LoadLibraryA(path.c_str());
    if (handle == nullptr)
        library.error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    library.handle = handle;
#else
    library.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library.handle == nullptr)
    {
        const char* reason = dlerror();
        library.error = "cannot load " + path + ": " + (reason != nullptr ? reason : "unknown error");
    }
#endif
    return library;
}

void* findLibrarySymbol(void* handle, const char* name)
{
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
#else
    return dlsym(handle, name);
#endif
}
