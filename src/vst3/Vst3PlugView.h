#pragma once

// The editor view a controller creates, embedded in a window the host gives it; the frame
// through which it asks the host for another size; the host's content scale; and, on Linux,
// the host's run loop, where a plug-in without a loop of its own watches descriptors and
// runs timers.

#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

struct IPlugFrame;

// IPlugView::attached's parent: an HWND, or an X11 Window id given as a pointer-sized value.
constexpr char kPlatformTypeHwnd[] = "HWND";
constexpr char kPlatformTypeX11EmbedWindowId[] = "X11EmbedWindowID";

// IPlugView::onKeyDown's key codes besides characters (0 with the character in `key`), and
// its modifier bits (the command key is Ctrl on Windows and Linux).
enum VirtualKeyCode : std::int16_t
{
    kKeyBack = 1,
    kKeyReturn = 4,
    kKeyEscape = 6,
    kKeySpace = 7,
    kKeyEnter = 19,
};
enum KeyModifier : std::int16_t
{
    kShiftKey = 1 << 0,
    kAlternateKey = 1 << 1,
    kCommandKey = 1 << 2,
    kControlKey = 1 << 3,
};

// In physical pixels on both platforms.
struct ViewRect
{
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
};

struct IPlugViewVtable
{
    FUnknownVtable unknown;
    tresult (*isPlatformTypeSupported)(void* self, FIDString type);
    tresult (*attached)(void* self, void* parent, FIDString type);
    tresult (*removed)(void* self);
    tresult (*onWheel)(void* self, float distance);
    tresult (*onKeyDown)(void* self, TChar key, std::int16_t keyCode, std::int16_t modifiers);
    tresult (*onKeyUp)(void* self, TChar key, std::int16_t keyCode, std::int16_t modifiers);
    tresult (*getSize)(void* self, ViewRect* size);
    tresult (*onSize)(void* self, ViewRect* newSize);
    tresult (*onFocus)(void* self, TBool state);
    tresult (*setFrame)(void* self, IPlugFrame* frame);
    tresult (*canResize)(void* self);
    tresult (*checkSizeConstraint)(void* self, ViewRect* rect);
};

struct IPlugView
{
    const IPlugViewVtable* vtable;
};

// The host calls the view's onSize within resizeView when the size changes.
struct IPlugFrameVtable
{
    FUnknownVtable unknown;
    tresult (*resizeView)(void* self, IPlugView* view, ViewRect* newSize);
};

struct IPlugFrame
{
    const IPlugFrameVtable* vtable;
};

// Offered by the view; the factor comes before or after attached, and whenever it changes.
struct IPlugViewContentScaleSupportVtable
{
    FUnknownVtable unknown;
    tresult (*setContentScaleFactor)(void* self, float factor);
};

struct IPlugViewContentScaleSupport
{
    const IPlugViewContentScaleSupportVtable* vtable;
};

// The Linux run loop: the host answers for IRunLoop through the plug frame and through the
// host context the factory or the component got. Registered handlers are called on the UI
// thread until unregistered.
using FileDescriptor = int;
using TimerInterval = std::uint64_t;  // milliseconds

struct IEventHandlerVtable
{
    FUnknownVtable unknown;
    void (*onFdIsSet)(void* self, FileDescriptor fd);  // the descriptor is readable
};

struct IEventHandler
{
    const IEventHandlerVtable* vtable;
};

struct ITimerHandlerVtable
{
    FUnknownVtable unknown;
    void (*onTimer)(void* self);
};

struct ITimerHandler
{
    const ITimerHandlerVtable* vtable;
};

struct IRunLoopVtable
{
    FUnknownVtable unknown;
    tresult (*registerEventHandler)(void* self, IEventHandler* handler, FileDescriptor fd);
    // Every descriptor the handler watches.
    tresult (*unregisterEventHandler)(void* self, IEventHandler* handler);
    tresult (*registerTimer)(void* self, ITimerHandler* handler, TimerInterval milliseconds);
    tresult (*unregisterTimer)(void* self, ITimerHandler* handler);
};

struct IRunLoop
{
    const IRunLoopVtable* vtable;
};

constexpr Tuid kIPlugViewIid = makeTuid(0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29);
constexpr Tuid kIPlugFrameIid = makeTuid(0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3);
constexpr Tuid kIPlugViewContentScaleSupportIid = makeTuid(0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F);
constexpr Tuid kIEventHandlerIid = makeTuid(0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983);
constexpr Tuid kITimerHandlerIid = makeTuid(0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9);
constexpr Tuid kIRunLoopIid = makeTuid(0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389);

static_assert(sizeof(ViewRect) == 16 && offsetof(ViewRect, bottom) == 12);
static_assert(offsetof(IPlugViewVtable, isPlatformTypeSupported) == slotOffset(3));
static_assert(offsetof(IPlugViewVtable, onKeyDown) == slotOffset(7) &&
              offsetof(IPlugViewVtable, getSize) == slotOffset(9));
static_assert(offsetof(IPlugViewVtable, setFrame) == slotOffset(12));
static_assert(sizeof(IPlugViewVtable) == slotOffset(15));
static_assert(sizeof(IPlugFrameVtable) == slotOffset(4) && offsetof(IPlugFrameVtable, resizeView) == slotOffset(3));
static_assert(sizeof(IPlugViewContentScaleSupportVtable) == slotOffset(4));
static_assert(sizeof(IEventHandlerVtable) == slotOffset(4) && sizeof(ITimerHandlerVtable) == slotOffset(4));
static_assert(offsetof(IRunLoopVtable, registerEventHandler) == slotOffset(3));
static_assert(sizeof(IRunLoopVtable) == slotOffset(7) && offsetof(IRunLoopVtable, unregisterTimer) == slotOffset(6));

}  // namespace vst3
