#include "shell/VstEditorAdapter.h"

#include "effect/HostKeys.h"

static_assert(VKEY_BACK == host_keys::kBack && VKEY_RETURN == host_keys::kReturn && VKEY_ESCAPE == host_keys::kEscape &&
              VKEY_SPACE == host_keys::kSpace && VKEY_ENTER == host_keys::kEnter);
static_assert(MODIFIER_SHIFT == host_keys::kShift && MODIFIER_ALTERNATE == host_keys::kAlternate &&
              MODIFIER_COMMAND == host_keys::kCommand && MODIFIER_CONTROL == host_keys::kControl);

bool VstEditorAdapter::getRect(ERect** rect)
{
    view = core.editor();
    if (view == nullptr)
        return false;
    const EditorView::Size size = view->size();
    rectangle = ERect{0, 0, static_cast<VstInt16>(size.height), static_cast<VstInt16>(size.width)};
    *rect = &rectangle;
    return true;
}

bool VstEditorAdapter::open(void* parentWindow)
{
    view = core.editor();
    return view != nullptr && view->open(parentWindow);
}

void VstEditorAdapter::close()
{
    if (view != nullptr)
        view->close();
}

void VstEditorAdapter::idle()
{
    if (view != nullptr)
        view->idle();
}

bool VstEditorAdapter::onKeyDown(VstKeyCode& key)
{
    if (view == nullptr)
        return false;
    const EditorKey editorKey = editorKeyOf(key.character, key.virt, key.modifier);
    return view->keyPressed(editorKey.code, editorKey.modifiers, editorKey.typed);
}
