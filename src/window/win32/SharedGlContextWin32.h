#pragma once

#include "window/SharedGlContext.h"

#include <windows.h>

namespace platform
{

// The pixel format every editor's window and the process's context are made with.
PIXELFORMATDESCRIPTOR editorPixelFormat();

// The Windows form. A WGL context draws only into drawables of its own pixel format: the
// offscreen buffers (pbuffers) editors draw into all have one format, so one context of that
// format, made with the first of them, draws into every one, as on X11; each new context
// would cost a software renderer its generated code again. A window-mode editor (where the
// driver offers no pbuffers) keeps a context of its own that shares this one's objects
// (textures, programs, display lists). A hidden window of its own makes it current alone and
// makes the pbuffers.
class SharedGlContextWin32 final : public SharedGlContext
{
public:
    SharedGlContextWin32() = default;
    ~SharedGlContextWin32() override;
    SharedGlContextWin32(const SharedGlContextWin32&) = delete;
    SharedGlContextWin32& operator=(const SharedGlContextWin32&) = delete;

    // False where the driver cannot share objects between contexts.
    bool open();
    void makeCurrentAlone() override;
    // The hidden window's device: what pbuffers are made with.
    HDC deviceContext() const { return hiddenDc; }
    // Lets a context made just now, before it made any object or was made current, use this
    // one's objects.
    bool share(HGLRC context) const;
    // The context every pbuffer of pixelFormat draws with, made on the first one's device
    // (pbufferDc); null when it cannot be made, or for a pbuffer of another format.
    HGLRC offscreenContext(HDC pbufferDc, int pixelFormat);

private:
    char className[32] = {};
    bool classRegistered = false;
    HWND hidden = nullptr;
    HDC hiddenDc = nullptr;
    HGLRC glContext = nullptr;
    HGLRC offscreen = nullptr;
    int offscreenFormat = 0;
};

}  // namespace platform
