#pragma once

#include "effect/EditorHostLoop.h"
#include "view/EditorView.h"

class EffectCore;

// The effect's editor inside a host's window, driven by the host's own loop: while it is
// open the host's timer, and on Linux its watch on the editor's X connection, run the
// editor's idle work (events and frames). The editor is made when first opened. Shells of
// formats whose hosts drive their plug-ins' editors wrap this. GUI thread only.
class HostDrivenEditor
{
public:
    HostDrivenEditor(EffectCore& effect, EditorHostLoop& hostLoop);
    ~HostDrivenEditor();
    HostDrivenEditor(const HostDrivenEditor&) = delete;
    HostDrivenEditor& operator=(const HostDrivenEditor&) = delete;

    bool available() const;
    // The window's size in pixels, open or at the next opening; false without an editor.
    bool size(EditorView::Size& size);
    // The host's scale for the window system's pixels; false for a factor that is none.
    bool setScale(double factor);

    // Opens in the host's window (X11 window id or HWND), closing any earlier opening.
    bool open(void* parent);
    void close();
    bool isOpen() const;
    // A key the host passes on itself; true when the open editor used it.
    bool keyPressed(int keyCode, int modifiers, char typed);

    // The host's timer fired, or the watched descriptor became readable.
    void onTimer();
    void onDescriptor(int fd);

private:
    void idle();
    void stopDriving();
    // The editor may reopen itself at another size, on another X connection: the host
    // watches whichever is current.
    void followEventDescriptor();

    EffectCore& core;
    EditorHostLoop& loop;
    EditorView* view = nullptr;
    bool timerRunning = false;
    int watchedDescriptor = -1;
};
