#include "Vst3Module.h"

#include "SharedLibrary.h"
#include "vst3/Vst3Strings.h"

#include <algorithm>
#include <filesystem>

namespace
{

#if defined(_WIN32)
constexpr char kBinaryFolder[] = "x86_64-win";
constexpr char kBinaryExtension[] = ".vst3";
#else
constexpr char kBinaryFolder[] = "x86_64-linux";
constexpr char kBinaryExtension[] = ".so";
#endif

// A fixed text field, which the module may have filled to its end without a NUL.
template <std::size_t Size> std::string fieldText(const char (&field)[Size])
{
    return std::string(field, std::find(field, field + Size, '\0'));
}

template <std::size_t Size> std::string fieldText(const vst3::TChar (&field)[Size])
{
    return vst3::utf16ToAscii(field, Size);
}

// PClassInfo2 and PClassInfoW have the same fields, in ASCII or in UTF-16.
template <typename Info> Vst3ClassInfo richClassInfo(const Info& info)
{
    return {info.cid,
            info.cardinality,
            fieldText(info.category),
            fieldText(info.name),
            info.classFlags,
            fieldText(info.subCategories),
            fieldText(info.vendor),
            fieldText(info.version),
            fieldText(info.sdkVersion)};
}

}  // namespace

std::string vst3BinaryPath(const std::string& path)
{
    std::filesystem::path bundle(path);
    std::error_code ignored;
    if (!std::filesystem::is_directory(bundle, ignored))
        return path;
    if (!bundle.has_filename())
        bundle = bundle.parent_path();
    const std::string binary = bundle.stem().string() + kBinaryExtension;
    return (bundle / "Contents" / kBinaryFolder / binary).string();
}

Vst3Module::Vst3Module(const std::string& path, Vst3HostContext& context) : host(context)
{
    const std::string binary = vst3BinaryPath(path);
    const OpenedLibrary library = openSharedLibrary(binary);
    if (library.handle == nullptr)
    {
        loadError = library.error;
        return;
    }
    const auto getFactory = reinterpret_cast<vst3::GetPluginFactoryFunction>(
        findLibrarySymbol(library.handle, vst3::kGetPluginFactorySymbol));
    if (getFactory == nullptr)
    {
        loadError = binary + " exports no " + vst3::kGetPluginFactorySymbol;
        return;
    }
    if (!enter(library.handle, binary))
        return;
    pluginFactory = getFactory();
    if (pluginFactory == nullptr)
    {
        loadError = binary + " gave no plug-in factory";
        return;
    }
    factory2 = vst3::queryInterface<vst3::IPluginFactory2>(pluginFactory, vst3::kIPluginFactory2Iid);
    factory3 = vst3::queryInterface<vst3::IPluginFactory3>(pluginFactory, vst3::kIPluginFactory3Iid);
    if (factory3 != nullptr)
        factory3->vtable->setHostContext(factory3, host.context());
}

bool Vst3Module::enter(void* libraryHandle, const std::string& binary)
{
#if defined(_WIN32)
    const auto entry = reinterpret_cast<vst3::InitDllFunction>(findLibrarySymbol(libraryHandle, vst3::kInitDllSymbol));
    const char* entryName = vst3::kInitDllSymbol;
    exitFunction = reinterpret_cast<ExitFunction>(findLibrarySymbol(libraryHandle, vst3::kExitDllSymbol));
    const bool entered = entry == nullptr || entry();
#else
    const auto entry =
        reinterpret_cast<vst3::ModuleEntryFunction>(findLibrarySymbol(libraryHandle, vst3::kModuleEntrySymbol));
    const char* entryName = vst3::kModuleEntrySymbol;
    exitFunction = reinterpret_cast<ExitFunction>(findLibrarySymbol(libraryHandle, vst3::kModuleExitSymbol));
    if (entry == nullptr || exitFunction == nullptr)
    {
        loadError = binary + " does not export both " + vst3::kModuleEntrySymbol + " and " + vst3::kModuleExitSymbol;
        exitFunction = nullptr;
        return false;
    }
    const bool entered = entry(libraryHandle);
#endif
    if (entered)
        return true;
    loadError = binary + ": " + entryName + " failed";
    exitFunction = nullptr;
    return false;
}

Vst3Module::~Vst3Module()
{
    if (factory3 != nullptr)
        vst3::release(factory3);
    if (factory2 != nullptr)
        vst3::release(factory2);
    if (pluginFactory != nullptr)
        vst3::release(pluginFactory);
    if (exitFunction != nullptr)
        exitFunction();
}

int Vst3Module::factoryRevision() const
{
    if (factory3 != nullptr)
        return 3;
    if (factory2 != nullptr)
        return 2;
    return loaded() ? 1 : 0;
}

std::optional<Vst3FactoryInfo> Vst3Module::factoryInfo() const
{
    vst3::PFactoryInfo info{};
    if (!loaded() || pluginFactory->vtable->getFactoryInfo(pluginFactory, &info) != vst3::kResultOk)
        return std::nullopt;
    return Vst3FactoryInfo{fieldText(info.vendor), fieldText(info.url), fieldText(info.email), info.flags};
}

std::optional<Vst3ClassInfo> Vst3Module::richerClassInfo(std::int32_t index) const
{
    vst3::PClassInfoW unicode{};
    if (factory3 != nullptr && factory3->vtable->getClassInfoUnicode(factory3, index, &unicode) == vst3::kResultOk)
        return richClassInfo(unicode);
    vst3::PClassInfo2 ascii{};
    if (factory2 != nullptr && factory2->vtable->getClassInfo2(factory2, index, &ascii) == vst3::kResultOk)
        return richClassInfo(ascii);
    return std::nullopt;
}

std::vector<Vst3ClassInfo> Vst3Module::classes() const
{
    std::vector<Vst3ClassInfo> found;
    const std::int32_t count = loaded() ? pluginFactory->vtable->countClasses(pluginFactory) : 0;
    for (std::int32_t index = 0; index < count; ++index)
    {
        if (std::optional<Vst3ClassInfo> richer = richerClassInfo(index))
        {
            found.push_back(*richer);
            continue;
        }
        vst3::PClassInfo info{};
        if (pluginFactory->vtable->getClassInfo(pluginFactory, index, &info) != vst3::kResultOk)
            continue;
        Vst3ClassInfo basic{};
        basic.classId = info.cid;
        basic.cardinality = info.cardinality;
        basic.category = fieldText(info.category);
        basic.name = fieldText(info.name);
        found.push_back(basic);
    }
    return found;
}

void* Vst3Module::createInstance(const vst3::Tuid& classId, const vst3::Tuid& iid) const
{
    void* object = nullptr;
    if (!loaded() || pluginFactory->vtable->createInstance(pluginFactory, &classId, &iid, &object) != vst3::kResultOk)
        return nullptr;
    return object;
}
