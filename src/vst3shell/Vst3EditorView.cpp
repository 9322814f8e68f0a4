#include "vst3shell/Vst3EditorView.h"

#include "effect/HostKeys.h"

#include "vst3shell/Vst3Effect.h"

#include <cstdint>
#include <cstring>
#include <new>

static_assert(vst3::kKeyBack == host_keys::kBack && vst3::kKeyReturn == host_keys::kReturn &&
              vst3::kKeyEscape == host_keys::kEscape && vst3::kKeySpace == host_keys::kSpace &&
              vst3::kKeyEnter == host_keys::kEnter);
static_assert(vst3::kShiftKey == host_keys::kShift && vst3::kAlternateKey == host_keys::kAlternate &&
              vst3::kCommandKey == host_keys::kCommand && vst3::kControlKey == host_keys::kControl);

namespace
{

#if defined(_WIN32)
constexpr const char* kOwnPlatformType = vst3::kPlatformTypeHwnd;
#else
constexpr const char* kOwnPlatformType = vst3::kPlatformTypeX11EmbedWindowId;
#endif

vst3::ViewRect rectOfSize(int width, int height)
{
    return vst3::ViewRect{0, 0, width, height};
}

bool sameSize(const vst3::ViewRect& a, const vst3::ViewRect& b)
{
    return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

template <typename Interface> Vst3EditorView& viewOf(void* self)
{
    return Vst3EditorView::of<Interface>(self);
}

template <typename Interface> vst3::tresult queryInterface(void* self, const vst3::Tuid* iid, void** object)
{
    return viewOf<Interface>(self).queryInterface(iid, object);
}

template <typename Interface> std::uint32_t addRef(void* self)
{
    return viewOf<Interface>(self).addRef();
}

template <typename Interface> std::uint32_t release(void* self)
{
    return viewOf<Interface>(self).release();
}

template <typename Interface>
constexpr vst3::FUnknownVtable kUnknown{queryInterface<Interface>, addRef<Interface>, release<Interface>};

using vst3::IPlugView;

constexpr vst3::IPlugViewVtable kPlugViewTable{
    kUnknown<IPlugView>,
    [](void*, vst3::FIDString type)
    { return Vst3EditorView::supportsPlatformType(type) ? vst3::kResultTrue : vst3::kResultFalse; },
    [](void* self, void* parent, vst3::FIDString type) { return viewOf<IPlugView>(self).attached(parent, type); },
    [](void* self) { return viewOf<IPlugView>(self).removed(); },
    // The wheel reaches the editor through its own window; keys too, and those a host passes
    // on itself instead (typing into the preset menu, undo and redo).
    [](void*, float) { return vst3::kResultFalse; },
    [](void* self, vst3::TChar key, std::int16_t keyCode, std::int16_t modifiers)
    { return viewOf<IPlugView>(self).onKeyDown(key, keyCode, modifiers); },
    [](void*, vst3::TChar, std::int16_t, std::int16_t) { return vst3::kResultFalse; },
    [](void* self, vst3::ViewRect* size) { return viewOf<IPlugView>(self).getSize(size); },
    [](void* self, vst3::ViewRect* size) { return viewOf<IPlugView>(self).onSize(size); },
    [](void*, vst3::TBool) { return vst3::kResultOk; },
    [](void* self, vst3::IPlugFrame* frame) { return viewOf<IPlugView>(self).setFrame(frame); },
    // Only its own size at each scale: the host may not drag it to another.
    [](void*) { return vst3::kResultFalse; },
    [](void* self, vst3::ViewRect* rect) { return viewOf<IPlugView>(self).checkSizeConstraint(rect); },
};

constexpr vst3::IPlugViewContentScaleSupportVtable kScaleTable{
    kUnknown<vst3::IPlugViewContentScaleSupport>,
    [](void* self, float factor)
    { return viewOf<vst3::IPlugViewContentScaleSupport>(self).setContentScaleFactor(factor); },
};

constexpr vst3::ITimerHandlerVtable kTimerTable{
    kUnknown<vst3::ITimerHandler>,
    [](void* self) { viewOf<vst3::ITimerHandler>(self).onTimer(); },
};

constexpr vst3::IEventHandlerVtable kEventTable{
    kUnknown<vst3::IEventHandler>,
    [](void* self, vst3::FileDescriptor fd) { viewOf<vst3::IEventHandler>(self).onFdIsSet(fd); },
};

}  // namespace

Vst3EditorView* Vst3EditorView::create(Vst3Effect& effect)
{
    if (effect.core() == nullptr || !effect.core()->offersEditor())
        return nullptr;
    return new (std::nothrow) Vst3EditorView(effect);
}

Vst3EditorView::Vst3EditorView(Vst3Effect& owner)
    : viewFacet{{&kPlugViewTable}, this}, scaleFacet{{&kScaleTable}, this}, timerFacet{{&kTimerTable}, this},
      eventFacet{{&kEventTable}, this}, effect(owner)
{
    effect.addRef();
    EditorHostLoop& hostLoop = *this;
    editor.emplace(*effect.core(), hostLoop);
}

Vst3EditorView::~Vst3EditorView()
{
    editor.reset();
    dropRunLoop();
    setFrame(nullptr);
    effect.viewGone(*this);
    effect.release();
}

vst3::tresult Vst3EditorView::queryInterface(const vst3::Tuid* iid, void** object)
{
    if (object == nullptr)
        return vst3::kInvalidArgument;
    *object = nullptr;
    if (iid == nullptr)
        return vst3::kInvalidArgument;
    if (*iid == vst3::kFUnknownIid || *iid == vst3::kIPlugViewIid)
        *object = &viewFacet.view;
    else if (*iid == vst3::kIPlugViewContentScaleSupportIid)
        *object = &scaleFacet.view;
    else if (*iid == vst3::kITimerHandlerIid)
        *object = &timerFacet.view;
    else if (*iid == vst3::kIEventHandlerIid)
        *object = &eventFacet.view;
    else
        return vst3::kNoInterface;
    addRef();
    return vst3::kResultOk;
}

std::uint32_t Vst3EditorView::addRef()
{
    return references.fetch_add(1, std::memory_order_relaxed) + 1;
}

std::uint32_t Vst3EditorView::release()
{
    const std::uint32_t left = references.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0)
        delete this;
    return left;
}

bool Vst3EditorView::supportsPlatformType(const char* type)
{
    return type != nullptr && std::strcmp(type, kOwnPlatformType) == 0;
}

vst3::tresult Vst3EditorView::attached(void* parent, const char* type)
{
    if (!editor || parent == nullptr || !supportsPlatformType(type))
        return vst3::kResultFalse;
    return editor->open(parent) ? vst3::kResultOk : vst3::kResultFalse;
}

vst3::tresult Vst3EditorView::removed()
{
    if (editor)
        editor->close();
    dropRunLoop();
    return vst3::kResultOk;
}

vst3::tresult Vst3EditorView::getSize(vst3::ViewRect* size)
{
    EditorView::Size own{};
    if (size == nullptr)
        return vst3::kInvalidArgument;
    if (!editor || !editor->size(own))
        return vst3::kResultFalse;
    *size = rectOfSize(own.width, own.height);
    return vst3::kResultOk;
}

vst3::tresult Vst3EditorView::onKeyDown(vst3::TChar key, std::int16_t keyCode, std::int16_t modifiers)
{
    const EditorKey editorKey = editorKeyOf(key, keyCode, modifiers);
    return editor && editor->keyPressed(editorKey.code, editorKey.modifiers, editorKey.typed) ? vst3::kResultTrue
                                                                                              : vst3::kResultFalse;
}

// The host tells the size it gave: the editor's own, or the one it just asked for.
vst3::tresult Vst3EditorView::onSize(vst3::ViewRect* newSize)
{
    vst3::ViewRect own{};
    if (newSize == nullptr)
        return vst3::kInvalidArgument;
    if (sizeAsked && sameSize(*newSize, *sizeAsked))
        return vst3::kResultOk;
    return getSize(&own) == vst3::kResultOk && sameSize(*newSize, own) ? vst3::kResultOk : vst3::kResultFalse;
}

vst3::tresult Vst3EditorView::setFrame(vst3::IPlugFrame* newFrame)
{
    if (newFrame != nullptr)
        vst3::addRef(newFrame);
    if (frame != nullptr)
        vst3::release(frame);
    frame = newFrame;
    return vst3::kResultOk;
}

vst3::tresult Vst3EditorView::checkSizeConstraint(vst3::ViewRect* rect)
{
    vst3::ViewRect own{};
    if (rect == nullptr)
        return vst3::kInvalidArgument;
    if (getSize(&own) != vst3::kResultOk)
        return vst3::kResultFalse;
    rect->right = rect->left + own.right;
    rect->bottom = rect->top + own.bottom;
    return vst3::kResultOk;
}

// An open editor takes the new scale at its next tick and asks for its new size then.
vst3::tresult Vst3EditorView::setContentScaleFactor(float factor)
{
    return editor && editor->setScale(factor) ? vst3::kResultOk : vst3::kResultFalse;
}

void Vst3EditorView::onTimer()
{
    if (editor)
        editor->onTimer();
}

void Vst3EditorView::onFdIsSet(int fd)
{
    if (editor)
        editor->onDescriptor(fd);
}

bool Vst3EditorView::requestSize(int width, int height)
{
    if (frame == nullptr || width <= 0 || height <= 0)
        return false;
    vst3::ViewRect wanted = rectOfSize(width, height);
    sizeAsked = wanted;
    const vst3::tresult result = frame->vtable->resizeView(frame, plugView(), &wanted);
    sizeAsked.reset();
    return result == vst3::kResultOk;
}

void Vst3EditorView::detachFromEffect()
{
    removed();
    editor.reset();
}

bool Vst3EditorView::startTimer(std::uint32_t periodMs)
{
    vst3::IRunLoop* loop = findRunLoop();
    if (loop == nullptr)
        return ownTimer.start(
            periodMs, [](void* view) { static_cast<Vst3EditorView*>(view)->onTimer(); }, this);
    timerRegistered = loop->vtable->registerTimer(loop, &timerFacet.view, periodMs) == vst3::kResultOk;
    return timerRegistered;
}

void Vst3EditorView::stopTimer()
{
    ownTimer.stop();
    if (timerRegistered && runLoop != nullptr)
        runLoop->vtable->unregisterTimer(runLoop, &timerFacet.view);
    timerRegistered = false;
}

bool Vst3EditorView::watchDescriptor(int fd)
{
    vst3::IRunLoop* loop = findRunLoop();
    handlerRegistered =
        loop != nullptr && loop->vtable->registerEventHandler(loop, &eventFacet.view, fd) == vst3::kResultOk;
    return handlerRegistered;
}

// The editor watches one descriptor at a time, so the handler's one registration goes.
void Vst3EditorView::stopWatching(int)
{
    if (handlerRegistered && runLoop != nullptr)
        runLoop->vtable->unregisterEventHandler(runLoop, &eventFacet.view);
    handlerRegistered = false;
}

vst3::IRunLoop* Vst3EditorView::findRunLoop()
{
#if defined(_WIN32)
    return nullptr;
#else
    if (runLoop != nullptr)
        return runLoop;
    if (frame != nullptr)
        runLoop = vst3::queryInterface<vst3::IRunLoop>(frame, vst3::kIRunLoopIid);
    if (runLoop == nullptr && effect.hostContext() != nullptr)
        runLoop = vst3::queryInterface<vst3::IRunLoop>(effect.hostContext(), vst3::kIRunLoopIid);
    return runLoop;
#endif
}

void Vst3EditorView::dropRunLoop()
{
    stopTimer();
    stopWatching(-1);
    if (runLoop != nullptr)
        vst3::release(runLoop);
    runLoop = nullptr;
}
