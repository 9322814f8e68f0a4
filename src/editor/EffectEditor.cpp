#include "editor/EffectEditor.h"

EffectEditor::EffectEditor(AudioEffect* owner) : AEffEditor(owner), rectangle{0, 0, kHeight, kWidth}
{
}

bool EffectEditor::getRect(ERect** rect)
{
    *rect = &rectangle;
    return true;
}

bool EffectEditor::open(void*)
{
    return false;
}
