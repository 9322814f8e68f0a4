#pragma once

#include "clap/ClapAbi.h"
#include "clapshell/ClapHostServices.h"
#include "effect/EditorHostLoop.h"
#include "effect/HostDrivenEditor.h"

#include <cstdint>

class EffectCore;

// The editor inside a CLAP host's window (X11 on Linux, Win32 on Windows; never floating).
// It opens when the host gives the parent window and closes when the host hides or destroys
// it, so any order of those calls is safe. The host's timer and fd watch drive it through
// the CLAP extensions. Main thread only.
class ClapEditorEmbedding final : private EditorHostLoop
{
public:
    ClapEditorEmbedding(EffectCore& effect, const ClapHostServices& hostServices);
    ~ClapEditorEmbedding() override;
    ClapEditorEmbedding(const ClapEditorEmbedding&) = delete;
    ClapEditorEmbedding& operator=(const ClapEditorEmbedding&) = delete;

    // The window api of this platform's build.
    static const char* windowApi();
    bool isApiSupported(const char* api, bool isFloating) const;
    bool create(const char* api, bool isFloating);
    void destroy();
    // The host's scale for the window system's pixels, before or after opening: the size
    // reported (and asked of the host, when open) follows it.
    bool setScale(double scale) { return editor.setScale(scale); }
    bool size(std::uint32_t& width, std::uint32_t& height);
    // The one size it has: true for that size only.
    bool fits(std::uint32_t width, std::uint32_t height);
    // Not freely resizable: it keeps the aspect ratio of its one size at every scale.
    bool resizeHints(clap::GuiResizeHints& hints);
    bool setParent(const clap::Window& window);
    bool show();
    bool hide();

    void onTimer(clap::Id id);
    void onDescriptor(int fd) { editor.onDescriptor(fd); }

private:
    // EditorHostLoop, through the host's timer and fd extensions.
    bool startTimer(std::uint32_t periodMs) override;
    void stopTimer() override;
    bool watchDescriptor(int fd) override;
    void stopWatching(int fd) override;

    const ClapHostServices& host;
    HostDrivenEditor editor;
    bool created = false;
    bool hidden = false;
    void* parent = nullptr;
    clap::Id timer = clap::kInvalidId;
};
