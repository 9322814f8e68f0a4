#pragma once

#include "clap/ClapCore.h"

#include <cstdint>
#include <string>

// A .clap module file loaded as a CLAP host loads it: the library opened, `clap_entry`
// found, its init given the file's path, the plug-in factory fetched. deinit runs when the
// object goes, so every plug-in created through it must be destroyed first; the library
// itself stays open (see SharedLibrary.h). One object per file at a time, since init and
// deinit come in pairs.
class ClapModule
{
public:
    explicit ClapModule(const std::string& path);
    ~ClapModule();
    ClapModule(const ClapModule&) = delete;
    ClapModule& operator=(const ClapModule&) = delete;

    bool loaded() const { return pluginFactory != nullptr; }
    const std::string& error() const { return loadError; }
    const std::string& path() const { return modulePath; }
    const clap::PluginEntry* entry() const { return pluginEntry; }
    const clap::PluginFactory* factory() const { return pluginFactory; }

    std::uint32_t pluginCount() const;
    const clap::PluginDescriptor* descriptor(std::uint32_t index) const;  // null when out of range
    const clap::PluginDescriptor* findDescriptor(const std::string& pluginId) const;
    // Null when the factory refuses; the caller destroys what it gets.
    const clap::Plugin* createPlugin(const clap::Host* host, const std::string& pluginId) const;

private:
    std::string modulePath;
    std::string loadError;
    const clap::PluginEntry* pluginEntry = nullptr;
    const clap::PluginFactory* pluginFactory = nullptr;
    bool initialised = false;
};
