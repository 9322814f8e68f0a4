#include "Vst3HostContext.h"

#include "HostKitName.h"
#include "vst3/Vst3Strings.h"

struct Vst3HostContext::Entries
{
    static vst3::tresult getName(void*, vst3::TChar* name)
    {
        if (name == nullptr)
            return vst3::kInvalidArgument;
        vst3::copyAsciiToUtf16(kHostKitName, name, vst3::kString128Size);
        return vst3::kResultOk;
    }

    static vst3::tresult createInstance(void*, const vst3::Tuid*, const vst3::Tuid*, void** object)
    {
        if (object == nullptr)
            return vst3::kInvalidArgument;
        *object = nullptr;
        return vst3::kNotImplemented;
    }

    static constexpr vst3::IHostApplicationVtable kVtable{unknownMethods<vst3::IHostApplication>(), getName,
                                                          createInstance};
};

Vst3HostContext::Vst3HostContext(Vst3RunLoop& loop) : runLoop(loop), offered{{&Entries::kVtable}, this} {}

void* Vst3HostContext::interfaceFor(const vst3::Tuid& iid)
{
    if (iid == vst3::kIHostApplicationIid)
        return &offered.view;
#if !defined(_WIN32)
    if (iid == vst3::kIRunLoopIid)
        return runLoop.runLoop();
#endif
    return nullptr;
}
