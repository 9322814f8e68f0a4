#pragma once

#include "Vst3HostObject.h"
#include "Vst3RunLoop.h"
#include "vst3/Vst3HostApplication.h"

// The context a plug-in's classes get in initialize, and its factory in setHostContext
// (IHostApplication). It makes no host objects, so a plug-in asking for a message or an
// attribute list learns to do without them. On Linux it also answers for the run loop.
class Vst3HostContext : public Vst3HostObject
{
public:
    explicit Vst3HostContext(Vst3RunLoop& loop);

    vst3::IHostApplication* application() { return &offered.view; }
    // As initialize and setHostContext take it.
    vst3::FUnknown* context() { return reinterpret_cast<vst3::FUnknown*>(&offered.view); }

private:
    struct Entries;

    void* primaryInterface() override { return &offered.view; }
    void* interfaceFor(const vst3::Tuid& iid) override;

    Vst3RunLoop& runLoop;
    Offered<vst3::IHostApplication> offered;
};
