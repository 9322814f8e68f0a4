#pragma once

#include "effect/EditorHostLoop.h"
#include "effect/HostDrivenEditor.h"
#include "vst3/Vst3PlugView.h"
#include "window/GuiTimer.h"

#include <atomic>
#include <cstdint>
#include <optional>

class Vst3Effect;

// The effect's editor as a VST3 host embeds it (IPlugView): an X11 embed window driven by the
// host's IRunLoop on Linux (its timer and a handler on the X connection; no thread of ours),
// an HWND on Windows, driven by a timer of the GUI thread's message loop. The host's content scale sets the size; the
// editor's own size changes go to the host through IPlugFrame::resizeView. The view holds a reference to its effect, so
// a host that keeps it after `removed`, or after releasing the effect, can still call it; once the effect is
// terminated, or a newer view of it took over, it shows nothing. UI thread only.
class Vst3EditorView final : private EditorHostLoop
{
public:
    // A view with one reference for the host; null when the effect offers no editor or
    // memory ran out.
    static Vst3EditorView* create(Vst3Effect& effect);

    Vst3EditorView(const Vst3EditorView&) = delete;
    Vst3EditorView& operator=(const Vst3EditorView&) = delete;

    vst3::IPlugView* plugView() { return &viewFacet.view; }

    // The view behind the interface pointer a call came through.
    template <typename Interface> static Vst3EditorView& of(void* self)
    {
        return *static_cast<Facet<Interface>*>(self)->owner;
    }

    vst3::tresult queryInterface(const vst3::Tuid* iid, void** object);
    std::uint32_t addRef();
    std::uint32_t release();

    // IPlugView.
    static bool supportsPlatformType(const char* type);
    vst3::tresult attached(void* parent, const char* type);
    vst3::tresult removed();
    vst3::tresult getSize(vst3::ViewRect* size);
    vst3::tresult onSize(vst3::ViewRect* newSize);
    vst3::tresult setFrame(vst3::IPlugFrame* frame);
    vst3::tresult checkSizeConstraint(vst3::ViewRect* rect);
    // kResultTrue when the editor used the key, so the host does not.
    vst3::tresult onKeyDown(vst3::TChar key, std::int16_t keyCode, std::int16_t modifiers);
    // IPlugViewContentScaleSupport.
    vst3::tresult setContentScaleFactor(float factor);
    // ITimerHandler and IEventHandler, registered with the host's run loop.
    void onTimer();
    void onFdIsSet(int fd);

    // The editor asks for its window at a new size: true when the host gave it.
    bool requestSize(int width, int height);
    // The effect is ending, or another view of it takes the editor: this one closes and
    // from now on shows nothing.
    void detachFromEffect();

private:
    template <typename Interface> struct Facet
    {
        Interface view;
        Vst3EditorView* owner;
    };

    explicit Vst3EditorView(Vst3Effect& owner);
    ~Vst3EditorView() override;

    // EditorHostLoop, through the host's IRunLoop (found on the frame, else in the context
    // the effect was initialised with), or a timer of our own where a host has none.
    bool startTimer(std::uint32_t periodMs) override;
    void stopTimer() override;
    bool watchDescriptor(int fd) override;
    void stopWatching(int fd) override;
    vst3::IRunLoop* findRunLoop();
    void dropRunLoop();

    std::atomic<std::uint32_t> references{1};
    Facet<vst3::IPlugView> viewFacet;
    Facet<vst3::IPlugViewContentScaleSupport> scaleFacet;
    Facet<vst3::ITimerHandler> timerFacet;
    Facet<vst3::IEventHandler> eventFacet;

    Vst3Effect& effect;
    // Empty once detached from the effect.
    std::optional<HostDrivenEditor> editor;
    vst3::IPlugFrame* frame = nullptr;
    vst3::IRunLoop* runLoop = nullptr;
    bool timerRegistered = false;
    platform::GuiTimer ownTimer;
    bool handlerRegistered = false;
    // The size asked of the host while resizeView runs: the host may call onSize with it
    // before the editor has taken it.
    std::optional<vst3::ViewRect> sizeAsked;
};
