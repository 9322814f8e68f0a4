#include "ModuleLoader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace
{

template <typename Symbol>
PluginEntry asEntry(Symbol symbol)
{
    return reinterpret_cast<PluginEntry>(reinterpret_cast<void*>(symbol));
}

}  // namespace

LoadedModule loadPluginModule(const std::string& path)
{
    LoadedModule module;
#if defined(_WIN32)
    HMODULE handle = LoadLibraryA(path.c_str());
    if (handle == nullptr)
    {
        module.error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return module;
    }
    module.entry = asEntry(GetProcAddress(handle, "VSTPluginMain"));
    module.legacyEntry = asEntry(GetProcAddress(handle, "main"));
#else
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
    {
        const char* reason = dlerror();
        module.error = "cannot load " + path + ": " + (reason != nullptr ? reason : "unknown error");
        return module;
    }
    module.entry = asEntry(dlsym(handle, "VSTPluginMain"));
    module.legacyEntry = asEntry(dlsym(handle, "main"));
#endif
    if (module.entry == nullptr)
        module.error = path + " exports no VSTPluginMain";
    return module;
}
