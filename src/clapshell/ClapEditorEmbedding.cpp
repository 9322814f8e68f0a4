#include "clapshell/ClapEditorEmbedding.h"

#include <cstring>

ClapEditorEmbedding::ClapEditorEmbedding(EffectCore& effect, const ClapHostServices& hostServices)
    : host(hostServices), editor(effect, *this)
{
}

ClapEditorEmbedding::~ClapEditorEmbedding()
{
    destroy();
}

const char* ClapEditorEmbedding::windowApi()
{
#if defined(_WIN32)
    return clap::kWindowApiWin32;
#else
    return clap::kWindowApiX11;
#endif
}

bool ClapEditorEmbedding::isApiSupported(const char* api, bool isFloating) const
{
    return editor.available() && api != nullptr && !isFloating && std::strcmp(api, windowApi()) == 0;
}

bool ClapEditorEmbedding::create(const char* api, bool isFloating)
{
    if (!isApiSupported(api, isFloating))
        return false;
    destroy();
    created = true;
    hidden = false;
    return true;
}

void ClapEditorEmbedding::destroy()
{
    editor.close();
    created = false;
    parent = nullptr;
}

bool ClapEditorEmbedding::size(std::uint32_t& width, std::uint32_t& height)
{
    EditorView::Size own{};
    if (!editor.size(own))
        return false;
    width = static_cast<std::uint32_t>(own.width);
    height = static_cast<std::uint32_t>(own.height);
    return true;
}

bool ClapEditorEmbedding::fits(std::uint32_t width, std::uint32_t height)
{
    std::uint32_t ownWidth = 0;
    std::uint32_t ownHeight = 0;
    return size(ownWidth, ownHeight) && width == ownWidth && height == ownHeight;
}

bool ClapEditorEmbedding::resizeHints(clap::GuiResizeHints& hints)
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!size(width, height))
        return false;
    hints = clap::GuiResizeHints{false, false, true, width, height};
    return true;
}

bool ClapEditorEmbedding::setParent(const clap::Window& window)
{
    if (!created || window.api == nullptr || std::strcmp(window.api, windowApi()) != 0)
        return false;
#if defined(_WIN32)
    void* handle = window.win32;
#else
    void* handle = reinterpret_cast<void*>(static_cast<std::uintptr_t>(window.x11));
#endif
    if (handle == nullptr)
        return false;
    editor.close();
    parent = handle;
    if (!hidden)
        editor.open(parent);
    return editor.isOpen();
}

bool ClapEditorEmbedding::show()
{
    if (!created)
        return false;
    hidden = false;
    if (parent != nullptr && !editor.isOpen())
        editor.open(parent);
    return true;
}

// Closed rather than only unmapped: a hidden editor costs the host nothing, and opening
// again draws it from the effect's current values.
bool ClapEditorEmbedding::hide()
{
    if (!created)
        return false;
    hidden = true;
    editor.close();
    return true;
}

void ClapEditorEmbedding::onTimer(clap::Id id)
{
    if (id == timer && timer != clap::kInvalidId)
        editor.onTimer();
}

bool ClapEditorEmbedding::startTimer(std::uint32_t periodMs)
{
    if (!host.hasTimers() || !host.registerTimer(periodMs, timer))
        timer = clap::kInvalidId;
    return timer != clap::kInvalidId;
}

void ClapEditorEmbedding::stopTimer()
{
    if (timer != clap::kInvalidId)
        host.unregisterTimer(timer);
    timer = clap::kInvalidId;
}

bool ClapEditorEmbedding::watchDescriptor(int fd)
{
    return host.watchReadable(fd);
}

void ClapEditorEmbedding::stopWatching(int fd)
{
    host.stopWatching(fd);
}
