#include "Vst3PlugFrame.h"

namespace
{

bool sameSize(const vst3::ViewRect& a, const vst3::ViewRect& b)
{
    return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

}  // namespace

struct Vst3PlugFrame::Entries
{
    static vst3::tresult resizeView(void* self, vst3::IPlugView* view, vst3::ViewRect* newSize)
    {
        return objectOf<Vst3PlugFrame, vst3::IPlugFrame>(self).resizeView(view, newSize);
    }

    static constexpr vst3::IPlugFrameVtable kVtable{unknownMethods<vst3::IPlugFrame>(), resizeView};
};

Vst3PlugFrame::Vst3PlugFrame(Vst3RunLoop& loop) : runLoop(loop), offered{{&Entries::kVtable}, this} {}

void* Vst3PlugFrame::interfaceFor(const vst3::Tuid& iid)
{
    if (iid == vst3::kIPlugFrameIid)
        return &offered.view;
#if !defined(_WIN32)
    if (iid == vst3::kIRunLoopIid)
        return runLoop.runLoop();
#endif
    return nullptr;
}

vst3::tresult Vst3PlugFrame::resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize)
{
    if (view == nullptr || newSize == nullptr)
        return vst3::kInvalidArgument;
    requests.push_back(*newSize);
    vst3::ViewRect current{};
    if (view->vtable->getSize(view, &current) == vst3::kResultOk && sameSize(current, *newSize))
        return vst3::kResultOk;
    return view->vtable->onSize(view, newSize);
}
