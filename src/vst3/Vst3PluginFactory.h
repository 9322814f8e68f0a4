#pragma once

// What a VST 3 module offers its host: the entry points it exports, the factory (in its three
// revisions) with the records describing the module and each class, and IPluginBase, the
// initialise/terminate pair every class made by the factory starts with.

#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

struct IPluginFactory;

// Exported by every module; the factory comes with one reference for the host to release.
constexpr char kGetPluginFactorySymbol[] = "GetPluginFactory";
using GetPluginFactoryFunction = IPluginFactory* (*)();

// Exported around the module's use: on Linux ModuleEntry gets the handle dlopen gave, on
// Windows InitDll and ExitDll take nothing. Each answers false when the module cannot go on.
constexpr char kModuleEntrySymbol[] = "ModuleEntry";
constexpr char kModuleExitSymbol[] = "ModuleExit";
using ModuleEntryFunction = bool (*)(void* libraryHandle);
using ModuleExitFunction = bool (*)();
constexpr char kInitDllSymbol[] = "InitDll";
constexpr char kExitDllSymbol[] = "ExitDll";
using InitDllFunction = bool (*)();
using ExitDllFunction = bool (*)();

// PClassInfo::category of the two halves of an effect.
constexpr char kAudioEffectClass[] = "Audio Module Class";
constexpr char kComponentControllerClass[] = "Component Controller Class";

struct IPluginBaseVtable
{
    FUnknownVtable unknown;
    // context: the host's IHostApplication, as FUnknown.
    tresult (*initialize)(void* self, FUnknown* context);
    tresult (*terminate)(void* self);
};

struct IPluginBase
{
    const IPluginBaseVtable* vtable;
};

constexpr Tuid kIPluginBaseIid = makeTuid(0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625);

struct PFactoryInfo
{
    static constexpr std::int32_t kNoFlags = 0;
    static constexpr std::int32_t kClassesDiscardable = 1 << 0;       // the class list may differ per load
    static constexpr std::int32_t kComponentNonDiscardable = 1 << 3;  // never unloaded before the process ends
    static constexpr std::int32_t kUnicode = 1 << 4;                  // every VST 3 module sets it

    static constexpr std::size_t kUrlSize = 256;
    static constexpr std::size_t kEmailSize = 128;
    static constexpr std::size_t kNameSize = 64;

    char vendor[kNameSize];
    char url[kUrlSize];
    char email[kEmailSize];
    std::int32_t flags;
};

struct PClassInfo
{
    static constexpr std::int32_t kManyInstances = 0x7FFFFFFF;  // the cardinality every effect gives

    static constexpr std::size_t kCategorySize = 32;
    static constexpr std::size_t kNameSize = 64;

    Tuid cid;
    std::int32_t cardinality;
    char category[kCategorySize];
    char name[kNameSize];
};

// PClassInfo2::classFlags of an audio effect class.
constexpr std::uint32_t kDistributable = 1 << 0;
constexpr std::uint32_t kSimpleModeSupported = 1 << 1;

struct PClassInfo2
{
    static constexpr std::size_t kVendorSize = 64;
    static constexpr std::size_t kVersionSize = 64;
    static constexpr std::size_t kSubCategoriesSize = 128;

    Tuid cid;
    std::int32_t cardinality;
    char category[PClassInfo::kCategorySize];
    char name[PClassInfo::kNameSize];
    std::uint32_t classFlags;
    char subCategories[kSubCategoriesSize];  // "Fx|Spatial": names joined by '|'
    char vendor[kVendorSize];
    char version[kVersionSize];
    char sdkVersion[kVersionSize];
};

// PClassInfo2 with the user-visible texts in UTF-16.
struct PClassInfoW
{
    Tuid cid;
    std::int32_t cardinality;
    char category[PClassInfo::kCategorySize];
    TChar name[PClassInfo::kNameSize];
    std::uint32_t classFlags;
    char subCategories[PClassInfo2::kSubCategoriesSize];
    TChar vendor[PClassInfo2::kVendorSize];
    TChar version[PClassInfo2::kVersionSize];
    TChar sdkVersion[PClassInfo2::kVersionSize];
};

struct IPluginFactoryVtable
{
    FUnknownVtable unknown;
    tresult (*getFactoryInfo)(void* self, PFactoryInfo* info);
    std::int32_t (*countClasses)(void* self);
    tresult (*getClassInfo)(void* self, std::int32_t index, PClassInfo* info);
    tresult (*createInstance)(void* self, const Tuid* classId, const Tuid* iid, void** object);
};

struct IPluginFactory2Vtable
{
    IPluginFactoryVtable factory;
    tresult (*getClassInfo2)(void* self, std::int32_t index, PClassInfo2* info);
};

struct IPluginFactory3Vtable
{
    IPluginFactory2Vtable factory2;
    tresult (*getClassInfoUnicode)(void* self, std::int32_t index, PClassInfoW* info);
    tresult (*setHostContext)(void* self, FUnknown* context);
};

struct IPluginFactory
{
    const IPluginFactoryVtable* vtable;
};

struct IPluginFactory2
{
    const IPluginFactory2Vtable* vtable;
};

struct IPluginFactory3
{
    const IPluginFactory3Vtable* vtable;
};

constexpr Tuid kIPluginFactoryIid = makeTuid(0x7A4D811C, 0x52114A1F, 0xAED9D2EE, 0x0B43BF9F);
constexpr Tuid kIPluginFactory2Iid = makeTuid(0x0007B650, 0xF24B4C0B, 0xA464EDB9, 0xF00B2ABB);
constexpr Tuid kIPluginFactory3Iid = makeTuid(0x4555A2AB, 0xC1234E57, 0x9B122910, 0x36878931);

static_assert(sizeof(IPluginBaseVtable) == slotOffset(5) && offsetof(IPluginBaseVtable, terminate) == slotOffset(4));
static_assert(sizeof(PFactoryInfo) == 452 && offsetof(PFactoryInfo, url) == 64);
static_assert(offsetof(PFactoryInfo, email) == 320 && offsetof(PFactoryInfo, flags) == 448);
static_assert(sizeof(PClassInfo) == 116 && offsetof(PClassInfo, cardinality) == 16);
static_assert(offsetof(PClassInfo, category) == 20 && offsetof(PClassInfo, name) == 52);
static_assert(sizeof(PClassInfo2) == 440 && offsetof(PClassInfo2, classFlags) == 116);
static_assert(offsetof(PClassInfo2, subCategories) == 120 && offsetof(PClassInfo2, vendor) == 248);
static_assert(offsetof(PClassInfo2, version) == 312 && offsetof(PClassInfo2, sdkVersion) == 376);
static_assert(sizeof(PClassInfoW) == 696 && offsetof(PClassInfoW, name) == 52);
static_assert(offsetof(PClassInfoW, classFlags) == 180 && offsetof(PClassInfoW, subCategories) == 184);
static_assert(offsetof(PClassInfoW, vendor) == 312 && offsetof(PClassInfoW, version) == 440);
static_assert(offsetof(PClassInfoW, sdkVersion) == 568);
static_assert(offsetof(IPluginFactoryVtable, getFactoryInfo) == slotOffset(3));
static_assert(sizeof(IPluginFactoryVtable) == slotOffset(7) &&
              offsetof(IPluginFactoryVtable, createInstance) == slotOffset(6));
static_assert(sizeof(IPluginFactory2Vtable) == slotOffset(8) &&
              offsetof(IPluginFactory2Vtable, getClassInfo2) == slotOffset(7));
static_assert(offsetof(IPluginFactory3Vtable, getClassInfoUnicode) == slotOffset(8));
static_assert(sizeof(IPluginFactory3Vtable) == slotOffset(10) &&
              offsetof(IPluginFactory3Vtable, setHostContext) == slotOffset(9));

}  // namespace vst3
