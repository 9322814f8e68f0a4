#include "ClapModule.h"

#include "SharedLibrary.h"

ClapModule::ClapModule(const std::string& path) : modulePath(path)
{
    const OpenedLibrary library = openSharedLibrary(path);
    if (library.handle == nullptr)
    {
        loadError = library.error;
        return;
    }
    pluginEntry = static_cast<const clap::PluginEntry*>(findLibrarySymbol(library.handle, clap::kEntrySymbol));
    if (pluginEntry == nullptr)
    {
        loadError = path + " exports no " + clap::kEntrySymbol;
        return;
    }
    const clap::Version version = pluginEntry->clapVersion;
    if (!clap::isCompatible(version) || pluginEntry->init == nullptr || pluginEntry->deinit == nullptr ||
        pluginEntry->getFactory == nullptr)
    {
        loadError = path + ": unusable " + clap::kEntrySymbol + " (CLAP " + std::to_string(version.major) + "." +
                    std::to_string(version.minor) + "." + std::to_string(version.revision) + ")";
        return;
    }
    if (!pluginEntry->init(path.c_str()))
    {
        loadError = path + ": init failed";
        return;
    }
    initialised = true;
    pluginFactory = static_cast<const clap::PluginFactory*>(pluginEntry->getFactory(clap::kPluginFactoryId));
    if (pluginFactory == nullptr)
        loadError = path + " has no plug-in factory";
}

ClapModule::~ClapModule()
{
    if (initialised)
        pluginEntry->deinit();
}

std::uint32_t ClapModule::pluginCount() const
{
    return loaded() ? pluginFactory->getPluginCount(pluginFactory) : 0;
}

const clap::PluginDescriptor* ClapModule::descriptor(std::uint32_t index) const
{
    return index < pluginCount() ? pluginFactory->getPluginDescriptor(pluginFactory, index) : nullptr;
}

const clap::PluginDescriptor* ClapModule::findDescriptor(const std::string& pluginId) const
{
    for (std::uint32_t i = 0; i < pluginCount(); ++i)
    {
        const clap::PluginDescriptor* found = descriptor(i);
        if (found != nullptr && found->id != nullptr && pluginId == found->id)
            return found;
    }
    return nullptr;
}

const clap::Plugin* ClapModule::createPlugin(const clap::Host* host, const std::string& pluginId) const
{
    return loaded() ? pluginFactory->createPlugin(pluginFactory, host, pluginId.c_str()) : nullptr;
}
