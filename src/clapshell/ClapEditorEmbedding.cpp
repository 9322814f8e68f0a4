#include "clapshell/ClapEditorEmbedding.h"

#include "editor/EffectEditor.h"

#include <cmath>
#include <cstring>

ClapEditorEmbedding::ClapEditorEmbedding(EffectEditor* effectEditor, const ClapHostServices& hostServices)
    : editor(effectEditor), host(hostServices)
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
    return editor != nullptr && api != nullptr && !isFloating && std::strcmp(api, windowApi()) == 0;
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
    close();
    created = false;
    parent = nullptr;
}

bool ClapEditorEmbedding::setScale(double scale)
{
    if (editor == nullptr || !std::isfinite(scale) || !(scale > 0.0))
        return false;
    editor->setHostScale(static_cast<float>(scale));
    return true;
}

bool ClapEditorEmbedding::size(std::uint32_t& width, std::uint32_t& height) const
{
    ERect* rect = nullptr;
    if (editor == nullptr || !editor->getRect(&rect) || rect == nullptr)
        return false;
    width = static_cast<std::uint32_t>(rect->right - rect->left);
    height = static_cast<std::uint32_t>(rect->bottom - rect->top);
    return true;
}

bool ClapEditorEmbedding::fits(std::uint32_t width, std::uint32_t height) const
{
    std::uint32_t ownWidth = 0;
    std::uint32_t ownHeight = 0;
    return size(ownWidth, ownHeight) && width == ownWidth && height == ownHeight;
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
    close();
    parent = handle;
    if (!hidden)
        open();
    return editor->isOpen();
}

bool ClapEditorEmbedding::show()
{
    if (!created)
        return false;
    hidden = false;
    if (parent != nullptr && !editor->isOpen())
        open();
    return true;
}

// Closed rather than only unmapped: a hidden editor costs the host nothing, and opening
// again draws it from the effect's current values.
bool ClapEditorEmbedding::hide()
{
    if (!created)
        return false;
    hidden = true;
    close();
    return true;
}

void ClapEditorEmbedding::open()
{
    editor->open(parent);
    if (!editor->isOpen())
        return;
    if (host.hasTimers() && !host.registerTimer(VSTGL_Editor::kFrameIntervalMs, timer))
        timer = clap::kInvalidId;
    followEventDescriptor();
}

void ClapEditorEmbedding::followEventDescriptor()
{
    const int descriptor = editor->isOpen() ? editor->eventDescriptor() : -1;
    if (descriptor == watchedDescriptor)
        return;
    if (watchedDescriptor >= 0)
        host.stopWatching(watchedDescriptor);
    watchedDescriptor = descriptor >= 0 && host.watchReadable(descriptor) ? descriptor : -1;
}

void ClapEditorEmbedding::close()
{
    // The host stops watching the X connection before the editor closes it.
    stopDriving();
    if (editor != nullptr)
        editor->close();
}

void ClapEditorEmbedding::stopDriving()
{
    if (watchedDescriptor >= 0)
        host.stopWatching(watchedDescriptor);
    watchedDescriptor = -1;
    if (timer != clap::kInvalidId)
        host.unregisterTimer(timer);
    timer = clap::kInvalidId;
}

void ClapEditorEmbedding::onTimer(clap::Id id)
{
    if (id == timer && timer != clap::kInvalidId)
        idle();
}

void ClapEditorEmbedding::onDescriptor(int fd)
{
    if (fd == watchedDescriptor && watchedDescriptor >= 0)
        idle();
}

void ClapEditorEmbedding::idle()
{
    editor->idle();
    // The editor closes itself when the host destroyed its window under it.
    if (!editor->isOpen())
        stopDriving();
    else
        followEventDescriptor();
}
