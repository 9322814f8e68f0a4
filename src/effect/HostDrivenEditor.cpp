#include "effect/HostDrivenEditor.h"

#include "effect/EffectCore.h"

#include <cmath>

HostDrivenEditor::HostDrivenEditor(EffectCore& effect, EditorHostLoop& hostLoop) : core(effect), loop(hostLoop) {}

HostDrivenEditor::~HostDrivenEditor()
{
    close();
}

bool HostDrivenEditor::available() const
{
    return core.offersEditor();
}

bool HostDrivenEditor::size(EditorView::Size& size)
{
    EditorView* editor = core.editor();
    if (editor == nullptr)
        return false;
    size = editor->size();
    return true;
}

bool HostDrivenEditor::setScale(double factor)
{
    if (!available() || !std::isfinite(factor) || !(factor > 0.0))
        return false;
    core.setEditorHostScale(static_cast<float>(factor));
    return true;
}

bool HostDrivenEditor::open(void* parent)
{
    close();
    view = core.editor();
    if (view == nullptr || parent == nullptr || !view->open(parent) || !view->isOpen())
        return false;
    timerRunning = loop.startTimer(EditorView::kIdleIntervalMs);
    followEventDescriptor();
    return true;
}

void HostDrivenEditor::close()
{
    // The host stops watching the X connection before the editor closes it.
    stopDriving();
    if (view != nullptr)
        view->close();
}

bool HostDrivenEditor::isOpen() const
{
    return view != nullptr && view->isOpen();
}

bool HostDrivenEditor::keyPressed(int keyCode, int modifiers, char typed)
{
    return isOpen() && view->keyPressed(keyCode, modifiers, typed);
}

void HostDrivenEditor::onTimer()
{
    if (timerRunning)
        idle();
}

void HostDrivenEditor::onDescriptor(int fd)
{
    if (fd == watchedDescriptor && watchedDescriptor >= 0)
        idle();
}

void HostDrivenEditor::idle()
{
    if (view == nullptr)
        return;
    view->idle();
    // The editor closes itself when the host destroyed its window under it.
    if (!view->isOpen())
        stopDriving();
    else
        followEventDescriptor();
}

void HostDrivenEditor::stopDriving()
{
    if (watchedDescriptor >= 0)
        loop.stopWatching(watchedDescriptor);
    watchedDescriptor = -1;
    if (timerRunning)
        loop.stopTimer();
    timerRunning = false;
}

void HostDrivenEditor::followEventDescriptor()
{
    const int descriptor = isOpen() ? view->eventDescriptor() : -1;
    if (descriptor == watchedDescriptor)
        return;
    if (watchedDescriptor >= 0)
        loop.stopWatching(watchedDescriptor);
    watchedDescriptor = descriptor >= 0 && loop.watchDescriptor(descriptor) ? descriptor : -1;
}
