#pragma once

#include "Vst3HostObject.h"
#include "Vst3RunLoop.h"
#include "vst3/Vst3PlugView.h"

#include <vector>

// The host's frame around a plug-in's view (IPlugFrame). It records each size the view asks
// for and, as a host does within the same call, gives the view that size through onSize when
// it differs from the view's current one. On Linux it also answers for the run loop.
class Vst3PlugFrame : public Vst3HostObject
{
public:
    explicit Vst3PlugFrame(Vst3RunLoop& loop);

    vst3::IPlugFrame* frame() { return &offered.view; }
    const std::vector<vst3::ViewRect>& resizeRequests() const { return requests; }

    vst3::tresult resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize);

private:
    struct Entries;

    void* primaryInterface() override { return &offered.view; }
    void* interfaceFor(const vst3::Tuid& iid) override;

    Vst3RunLoop& runLoop;
    std::vector<vst3::ViewRect> requests;
    Offered<vst3::IPlugFrame> offered;
};
