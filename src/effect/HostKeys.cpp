#include "effect/HostKeys.h"

#include "view/EditorView.h"

namespace
{

int keyCodeOf(int character, int virtualKey)
{
    switch (virtualKey)
    {
    case host_keys::kBack: return EditorView::kBackspaceKey;
    case host_keys::kReturn:
    case host_keys::kEnter: return EditorView::kReturnKey;
    case host_keys::kEscape: return EditorView::kEscapeKey;
    case host_keys::kSpace: return ' ';
    default: break;
    }
    return character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character;
}

int modifiersOf(int hostModifiers)
{
    int modifiers = 0;
    if ((hostModifiers & host_keys::kShift) != 0)
        modifiers |= EditorView::kShiftModifier;
    if ((hostModifiers & (host_keys::kControl | host_keys::kCommand)) != 0)
        modifiers |= EditorView::kControlModifier;
    if ((hostModifiers & host_keys::kAlternate) != 0)
        modifiers |= EditorView::kAltModifier;
    return modifiers;
}

char typedBy(int character, int virtualKey)
{
    if (virtualKey == host_keys::kSpace)
        return ' ';
    return virtualKey == 0 && character >= ' ' && character <= '~' ? static_cast<char>(character) : 0;
}

}  // namespace

EditorKey editorKeyOf(int character, int virtualKey, int modifiers)
{
    return {keyCodeOf(character, virtualKey), modifiersOf(modifiers), typedBy(character, virtualKey)};
}
