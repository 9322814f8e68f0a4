#pragma once

// The gui extension: the plug-in's editor embedded in a window the host gives it, and what
// the host offers back (resizing, showing, hiding, word that a window has gone).

#include "clap/ClapCore.h"

#include <cstddef>
#include <cstdint>

namespace clap
{

constexpr char kExtGui[] = "clap.gui";

// Window::api. Both count sizes in physical pixels, with the scale given by setScale.
constexpr char kWindowApiWin32[] = "win32";
constexpr char kWindowApiX11[] = "x11";

struct Window
{
    const char* api;
    union
    {
        unsigned long x11;  // an X11 Window id: `unsigned long`, as Xlib declares it
        void* win32;        // an HWND
    };
};

struct GuiResizeHints
{
    bool canResizeHorizontally;
    bool canResizeVertically;
    bool preserveAspectRatio;
    std::uint32_t aspectRatioWidth;
    std::uint32_t aspectRatioHeight;
};

// Sizes are in pixels of the window api; every call is made on the main thread.
struct PluginGui
{
    bool (*isApiSupported)(const Plugin* plugin, const char* api, bool isFloating);
    // Sets *api to one of the kWindowApi constants themselves, not to a copy.
    bool (*getPreferredApi)(const Plugin* plugin, const char** api, bool* isFloating);
    bool (*create)(const Plugin* plugin, const char* api, bool isFloating);
    void (*destroy)(const Plugin* plugin);
    bool (*setScale)(const Plugin* plugin, double scale);
    bool (*getSize)(const Plugin* plugin, std::uint32_t* width, std::uint32_t* height);
    bool (*canResize)(const Plugin* plugin);
    bool (*getResizeHints)(const Plugin* plugin, GuiResizeHints* hints);
    bool (*adjustSize)(const Plugin* plugin, std::uint32_t* width, std::uint32_t* height);
    bool (*setSize)(const Plugin* plugin, std::uint32_t width, std::uint32_t height);
    bool (*setParent)(const Plugin* plugin, const Window* window);
    bool (*setTransient)(const Plugin* plugin, const Window* window);
    void (*suggestTitle)(const Plugin* plugin, const char* title);
    bool (*show)(const Plugin* plugin);
    bool (*hide)(const Plugin* plugin);
};

struct HostGui
{
    void (*resizeHintsChanged)(const Host* host);
    bool (*requestResize)(const Host* host, std::uint32_t width, std::uint32_t height);
    bool (*requestShow)(const Host* host);
    bool (*requestHide)(const Host* host);
    // The host calls PluginGui::destroy in answer when wasDestroyed is true.
    void (*closed)(const Host* host, bool wasDestroyed);
};

// The union is pointer-sized on both targets, though `unsigned long` is 4 bytes on Windows.
static_assert(sizeof(Window) == 16 && offsetof(Window, x11) == 8 && offsetof(Window, win32) == 8);
static_assert(sizeof(GuiResizeHints) == 12);
static_assert(offsetof(GuiResizeHints, preserveAspectRatio) == 2);
static_assert(offsetof(GuiResizeHints, aspectRatioWidth) == 4 && offsetof(GuiResizeHints, aspectRatioHeight) == 8);
static_assert(sizeof(PluginGui) == 120);
static_assert(offsetof(PluginGui, create) == 16 && offsetof(PluginGui, setScale) == 32);
static_assert(offsetof(PluginGui, getSize) == 40 && offsetof(PluginGui, setSize) == 72);
static_assert(offsetof(PluginGui, setParent) == 80 && offsetof(PluginGui, suggestTitle) == 96);
static_assert(offsetof(PluginGui, show) == 104 && offsetof(PluginGui, hide) == 112);
static_assert(sizeof(HostGui) == 40);
static_assert(offsetof(HostGui, requestResize) == 8 && offsetof(HostGui, closed) == 32);

}  // namespace clap
