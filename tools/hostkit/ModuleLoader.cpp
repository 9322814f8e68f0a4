#include "ModuleLoader.h"

#include "SharedLibrary.h"

namespace
{

PluginEntry asEntry(void* symbol)
{
    return reinterpret_cast<PluginEntry>(symbol);
}

}  // namespace

LoadedModule loadPluginModule(const std::string& path)
{
    LoadedModule module;
    const OpenedLibrary library = openSharedLibrary(path);
    if (library.handle == nullptr)
    {
        module.error = library.error;
        return module;
    }
    module.entry = asEntry(findLibrarySymbol(library.handle, "VSTPluginMain"));
    module.legacyEntry = asEntry(findLibrarySymbol(library.handle, "main"));
    if (module.entry == nullptr)
        module.error = path + " exports no VSTPluginMain";
    return module;
}
