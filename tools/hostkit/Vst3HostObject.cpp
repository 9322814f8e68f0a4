#include "Vst3HostObject.h"

#include <cstdio>
#include <string>

Vst3HostObject::Vst3HostObject() : ownThread(std::this_thread::get_id()) {}

void Vst3HostObject::markMisuse(const char* what)
{
    ++misuseCount;
    std::fprintf(stderr, "vst3 host kit: plug-in misuse: %s\n", what);
}

bool Vst3HostObject::checkOwnThread(const char* what)
{
    if (std::this_thread::get_id() == ownThread)
        return true;
    markMisuse((std::string(what) + " off the UI thread").c_str());
    return false;
}

vst3::tresult Vst3HostObject::query(const vst3::Tuid* iid, void** object)
{
    if (object == nullptr)
        return vst3::kInvalidArgument;
    *object = nullptr;
    if (iid == nullptr)
        return vst3::kInvalidArgument;
    void* found = *iid == vst3::kFUnknownIid ? primaryInterface() : interfaceFor(*iid);
    if (found == nullptr)
        return vst3::kNoInterface;
    vst3::addRef(static_cast<vst3::FUnknown*>(found));
    *object = found;
    return vst3::kResultOk;
}

std::uint32_t Vst3HostObject::dropReference()
{
    std::uint32_t current = count.load();
    do
    {
        if (current <= 1)
        {
            markMisuse("release of a reference it never took");
            return current;
        }
    } while (!count.compare_exchange_weak(current, current - 1));
    return current - 1;
}
