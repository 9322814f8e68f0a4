// The C side of the VST3 module: the exported entry points and the factory with its one
// class, the single-component Vantor Pro effect. No exception ever crosses into the host.
#include "base/UserMessage.h"
#include "effect/BoundedCopy.h"
#include "effect/ModuleExport.h"
#include "platform/MessageBox.h"
#include "vst3/Vst3Abi.h"
#include "vst3shell/Vst3ClassFacts.h"
#include "vst3shell/Vst3Effect.h"

#include <cstring>

namespace
{

constexpr std::int32_t kClassIndex = 0;

// The factory lives as long as the module: references are counted by no one.
vst3::tresult factoryQueryInterface(void* self, const vst3::Tuid* iid, void** object)
{
    if (object == nullptr)
        return vst3::kInvalidArgument;
    *object = nullptr;
    if (iid == nullptr)
        return vst3::kInvalidArgument;
    if (*iid != vst3::kFUnknownIid && *iid != vst3::kIPluginFactoryIid && *iid != vst3::kIPluginFactory2Iid &&
        *iid != vst3::kIPluginFactory3Iid)
        return vst3::kNoInterface;
    *object = self;
    return vst3::kResultOk;
}

std::uint32_t factoryAddRef(void*)
{
    return 1;
}

std::uint32_t factoryRelease(void*)
{
    return 1;
}

vst3::tresult getFactoryInfo(void*, vst3::PFactoryInfo* info)
{
    if (info == nullptr)
        return vst3::kInvalidArgument;
    *info = vst3::PFactoryInfo{};
    copyBounded(info->vendor, kEffectIdentity.vendor, sizeof(info->vendor));
    copyBounded(info->url, vst3facts::kVendorUrl, sizeof(info->url));
    copyBounded(info->email, vst3facts::kVendorEmail, sizeof(info->email));
    info->flags = vst3facts::kFactoryFlags;
    return vst3::kResultOk;
}

std::int32_t countClasses(void*)
{
    return 1;
}

// The fields every revision of the class record shares, in either text form.
template <typename Info> void describeClass(Info& info)
{
    info.cid = vst3facts::kClassId;
    info.cardinality = vst3facts::kCardinality;
    copyBounded(info.category, vst3facts::kClassCategory, sizeof(info.category));
}

vst3::tresult getClassInfo(void*, std::int32_t index, vst3::PClassInfo* info)
{
    if (index != kClassIndex || info == nullptr)
        return vst3::kInvalidArgument;
    *info = vst3::PClassInfo{};
    describeClass(*info);
    copyBounded(info->name, kEffectIdentity.product, sizeof(info->name));
    return vst3::kResultOk;
}

vst3::tresult getClassInfo2(void*, std::int32_t index, vst3::PClassInfo2* info)
{
    if (index != kClassIndex || info == nullptr)
        return vst3::kInvalidArgument;
    *info = vst3::PClassInfo2{};
    describeClass(*info);
    copyBounded(info->name, kEffectIdentity.product, sizeof(info->name));
    info->classFlags = vst3facts::kClassFlags;
    copyBounded(info->subCategories, kEffectIdentity.vst3Categories, sizeof(info->subCategories));
    copyBounded(info->vendor, kEffectIdentity.vendor, sizeof(info->vendor));
    copyBounded(info->version, kEffectIdentity.versionText, sizeof(info->version));
    copyBounded(info->sdkVersion, vst3::kSdkVersionString, sizeof(info->sdkVersion));
    return vst3::kResultOk;
}

vst3::tresult getClassInfoUnicode(void*, std::int32_t index, vst3::PClassInfoW* info)
{
    if (index != kClassIndex || info == nullptr)
        return vst3::kInvalidArgument;
    *info = vst3::PClassInfoW{};
    describeClass(*info);
    vst3::copyAsciiToUtf16(kEffectIdentity.product, info->name, vst3::PClassInfo::kNameSize);
    info->classFlags = vst3facts::kClassFlags;
    copyBounded(info->subCategories, kEffectIdentity.vst3Categories, sizeof(info->subCategories));
    vst3::copyAsciiToUtf16(kEffectIdentity.vendor, info->vendor, vst3::PClassInfo2::kVendorSize);
    vst3::copyAsciiToUtf16(kEffectIdentity.versionText, info->version, vst3::PClassInfo2::kVersionSize);
    vst3::copyAsciiToUtf16(vst3::kSdkVersionString, info->sdkVersion, vst3::PClassInfo2::kVersionSize);
    return vst3::kResultOk;
}

// A new effect handed over through the interface asked for, with that one reference.
vst3::tresult createInstance(void*, const vst3::Tuid* classId, const vst3::Tuid* iid, void** object)
{
    if (object == nullptr)
        return vst3::kInvalidArgument;
    *object = nullptr;
    if (classId == nullptr || iid == nullptr)
        return vst3::kInvalidArgument;
    if (*classId != vst3facts::kClassId)
        return vst3::kNoInterface;
    Vst3Effect* effect = Vst3Effect::create();
    if (effect == nullptr)
        return vst3::kOutOfMemory;
    const vst3::tresult result = effect->queryInterface(iid, object);
    effect->release();
    return result;
}

// The effect takes its host context in initialize; the factory needs none.
vst3::tresult setHostContext(void*, vst3::FUnknown*)
{
    return vst3::kResultOk;
}

const vst3::IPluginFactory3Vtable kFactoryTable{
    {{{factoryQueryInterface, factoryAddRef, factoryRelease}, getFactoryInfo, countClasses, getClassInfo,
      createInstance},
     getClassInfo2},
    getClassInfoUnicode,
    setHostContext};

vst3::IPluginFactory3 factory{&kFactoryTable};

bool enterModule()
{
    base::setMessagePresenter(platform::showMessageBox);
    return true;
}

}  // namespace

VANTOR_EXPORT vst3::IPluginFactory* GetPluginFactory()
{
    return reinterpret_cast<vst3::IPluginFactory*>(&factory);
}

#if defined(_WIN32)
VANTOR_EXPORT bool InitDll()
{
    return enterModule();
}

VANTOR_EXPORT bool ExitDll()
{
    return true;
}
#else
VANTOR_EXPORT bool ModuleEntry(void*)
{
    return enterModule();
}

VANTOR_EXPORT bool ModuleExit()
{
    return true;
}
#endif
