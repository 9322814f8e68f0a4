#pragma once

#include "Vst3HostContext.h"
#include "vst3/Vst3PluginFactory.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Vst3FactoryInfo
{
    std::string vendor;
    std::string url;
    std::string email;
    std::int32_t flags;
};

// A class as the factory lists it; the fields after `name` come from its second or third
// revision and stay empty where it offers only the first.
struct Vst3ClassInfo
{
    vst3::Tuid classId;
    std::int32_t cardinality;
    std::string category;
    std::string name;
    std::uint32_t classFlags = 0;
    std::string subCategories;
    std::string vendor;
    std::string version;
    std::string sdkVersion;
};

// The file inside a bundle folder that holds the code: X.vst3/Contents/x86_64-linux/X.so, or
// X.vst3/Contents/x86_64-win/X.vst3 on Windows. Any other path is the module file itself.
std::string vst3BinaryPath(const std::string& path);

// A VST 3 module loaded as a host loads it: its binary opened, the entry function called
// (ModuleEntry with the library's handle on Linux; on Windows InitDll, where it is optional),
// the factory fetched, with its second and third revisions where offered, and given the host
// context when it takes one. The factory is released and the exit function called when the object goes, so
// everything made through it must be released first; the library itself stays open (see
// SharedLibrary.h). One object per module at a time, since entry and exit come in pairs.
class Vst3Module
{
public:
    // The context must outlive the module.
    Vst3Module(const std::string& path, Vst3HostContext& context);
    ~Vst3Module();
    Vst3Module(const Vst3Module&) = delete;
    Vst3Module& operator=(const Vst3Module&) = delete;

    bool loaded() const { return pluginFactory != nullptr; }
    const std::string& error() const { return loadError; }
    Vst3HostContext& hostContext() const { return host; }
    vst3::IPluginFactory* factory() const { return pluginFactory; }
    int factoryRevision() const;  // 1 to 3; 0 when not loaded

    std::optional<Vst3FactoryInfo> factoryInfo() const;
    std::vector<Vst3ClassInfo> classes() const;
    // A new object of the class with one reference for the caller, or null.
    void* createInstance(const vst3::Tuid& classId, const vst3::Tuid& iid) const;

private:
    using ExitFunction = bool (*)();  // ModuleExit or ExitDll

    bool enter(void* libraryHandle, const std::string& binary);
    std::optional<Vst3ClassInfo> richerClassInfo(std::int32_t index) const;

    Vst3HostContext& host;
    std::string loadError;
    ExitFunction exitFunction = nullptr;
    vst3::IPluginFactory* pluginFactory = nullptr;
    vst3::IPluginFactory2* factory2 = nullptr;
    vst3::IPluginFactory3* factory3 = nullptr;
};
