#pragma once

#include "vst3/Vst3Unknown.h"

#include <atomic>
#include <cstdint>
#include <thread>

// What the kit's VST3 objects share: a reference count and queryInterface over the
// interfaces each one offers. The kit owns every such object and keeps it longer than the
// plug-in may use it, so release never frees: the count starts at 1, the kit's own
// reference, and is back at 1 once the plug-in has let go of all it took, which tests check.
//
// What breaks the interface's rules is refused, reported on stderr and counted as misuse: a
// release of the kit's own reference, and a call off the thread that made the object where
// the object's interface belongs on the UI thread.
class Vst3HostObject
{
public:
    Vst3HostObject();
    virtual ~Vst3HostObject() = default;
    Vst3HostObject(const Vst3HostObject&) = delete;
    Vst3HostObject& operator=(const Vst3HostObject&) = delete;

    std::uint32_t references() const { return count.load(); }
    int misuses() const { return misuseCount.load(); }

protected:
    // One interface as the plug-in holds it, its table first, then the way back to the object.
    template <typename Interface> struct Offered
    {
        Interface view;
        Vst3HostObject* owner;
    };

    // The object behind an interface pointer the plug-in called through.
    template <typename Object, typename Interface> static Object& objectOf(void* self)
    {
        return static_cast<Object&>(*reinterpret_cast<Offered<Interface>*>(self)->owner);
    }

    // The FUnknown part of each table an object fills.
    template <typename Interface> static constexpr vst3::FUnknownVtable unknownMethods()
    {
        return {queryThrough<Interface>, addRefThrough<Interface>, releaseThrough<Interface>};
    }

    // The interface FUnknown stands for, and the one for any other id (null when not offered).
    // Either may belong to another object; queryInterface adds the reference to its owner.
    virtual void* primaryInterface() = 0;
    virtual void* interfaceFor(const vst3::Tuid& iid) = 0;

    void markMisuse(const char* what);
    // False, with the misuse marked, when the call `what` comes from another thread.
    bool checkOwnThread(const char* what);

private:
    vst3::tresult query(const vst3::Tuid* iid, void** object);
    std::uint32_t dropReference();

    template <typename Interface> static vst3::tresult queryThrough(void* self, const vst3::Tuid* iid, void** object)
    {
        return objectOf<Vst3HostObject, Interface>(self).query(iid, object);
    }

    template <typename Interface> static std::uint32_t addRefThrough(void* self)
    {
        return ++objectOf<Vst3HostObject, Interface>(self).count;
    }

    template <typename Interface> static std::uint32_t releaseThrough(void* self)
    {
        return objectOf<Vst3HostObject, Interface>(self).dropReference();
    }

    std::atomic<std::uint32_t> count{1};
    std::atomic<int> misuseCount{0};
    const std::thread::id ownThread;
};
