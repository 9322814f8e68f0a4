#pragma once

#include "platform/SharedGlContext.h"

#include <windows.h>

namespace platform
{

// The pixel format every editor's window and the process's context are made with.
PIXELFORMATDESCRIPTOR editorPixelFormat();

// The Windows form: a WGL context cannot draw into windows of other pixel formats, which the
// offscreen buffer an editor draws into fixes per window, so each window keeps a context of
// its own; but each of those shares this context's objects (textures, programs, display
// lists), so they outlive the windows. A hidden window of its own makes it current alone.
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
    // Lets a context made just now, before it made any object or was made current, use this
    // one's objects.
    bool share(HGLRC context) const;

private:
    char className[32] = {};
    bool classRegistered = false;
    HWND hidden = nullptr;
    HDC hiddenDc = nullptr;
    HGLRC glContext = nullptr;
};

}  // namespace platform
