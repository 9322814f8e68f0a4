#include "shell/VstEditorAdapter.h"

namespace
{

int keyCodeOf(const VstKeyCode& key)
{
    switch (key.virt)
    {
    case VKEY_BACK: return EditorView::kBackspaceKey;
    case VKEY_RETURN:
    case VKEY_ENTER: return EditorView::kReturnKey;
    case VKEY_ESCAPE: return EditorView::kEscapeKey;
    case VKEY_SPACE: return ' ';
    default: break;
    }
    const VstInt32 character = key.character;
    return character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character;
}

int modifiersOf(const VstKeyCode& key)
{
    int modifiers = 0;
    if ((key.modifier & MODIFIER_SHIFT) != 0)
        modifiers |= EditorView::kShiftModifier;
    if ((key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)) != 0)
        modifiers |= EditorView::kControlModifier;
    if ((key.modifier & MODIFIER_ALTERNATE) != 0)
        modifiers |= EditorView::kAltModifier;
    return modifiers;
}

char typedBy(const VstKeyCode& key)
{
    if (key.virt == VKEY_SPACE)
        return ' ';
    return key.virt == 0 && key.character >= ' ' && key.character <= '~' ? static_cast<char>(key.character) : 0;
}

}  // namespace

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
    return view != nullptr && view->keyPressed(keyCodeOf(key), modifiersOf(key), typedBy(key));
}
