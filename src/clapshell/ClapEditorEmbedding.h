#pragma once

#include "clap/ClapAbi.h"
#include "clapshell/ClapHostServices.h"

#include <cstdint>

class EffectEditor;

// The editor inside a CLAP host's window (X11 on Linux, Win32 on Windows; never floating),
// at its one fixed size. It opens when the host gives the parent window and closes when the
// host hides or destroys it, so any order of those calls is safe. While it is open the host's
// timer, and on Linux its watch on the editor's X connection, drive the editor's idle work
// (events and frames); a host without them leaves the editor to its window system alone.
// Main thread only.
class ClapEditorEmbedding
{
public:
    ClapEditorEmbedding(EffectEditor* effectEditor, const ClapHostServices& hostServices);
    ~ClapEditorEmbedding();
    ClapEditorEmbedding(const ClapEditorEmbedding&) = delete;
    ClapEditorEmbedding& operator=(const ClapEditorEmbedding&) = delete;

    // The window api of this platform's build.
    static const char* windowApi();
    bool isApiSupported(const char* api, bool isFloating) const;
    bool create(const char* api, bool isFloating);
    void destroy();
    // The host's scale for the window system's pixels, before or after opening: the size
    // reported (and asked of the host, when open) follows it.
    bool setScale(double scale);
    bool size(std::uint32_t& width, std::uint32_t& height) const;
    // The one size it has: true for that size only.
    bool fits(std::uint32_t width, std::uint32_t height) const;
    bool setParent(const clap::Window& window);
    bool show();
    bool hide();

    void onTimer(clap::Id id);
    void onDescriptor(int fd);

private:
    void open();
    void close();
    void idle();
    void stopDriving();
    // The editor may reopen itself at another size, on another X connection: the host
    // watches whichever is current.
    void followEventDescriptor();

    EffectEditor* editor;
    const ClapHostServices& host;
    bool created = false;
    bool hidden = false;
    void* parent = nullptr;
    clap::Id timer = clap::kInvalidId;
    int watchedDescriptor = -1;
};
