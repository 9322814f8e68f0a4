#include "editor/HostEdits.h"

#include "editor/EditorModel.h"
#include "view/EditorEffect.h"

#include <utility>

void HostEdits::begin(int index)
{
    if (!isParameter(index) || open.test(static_cast<std::size_t>(index)))
        return;
    effect.beginEdit(index);
    open.set(static_cast<std::size_t>(index));
}

void HostEdits::change(int index, float value)
{
    if (!isParameter(index))
        return;
    model.setValue(index, value);
    curveEdited = curveEdited || isEqualiserPointParameter(index);
    if (open.test(static_cast<std::size_t>(index)))
    {
        effect.setParameterAutomated(index, value);
        return;
    }
    effect.beginEdit(index);
    effect.setParameterAutomated(index, value);
    effect.endEdit(index);
}

void HostEdits::end(int index)
{
    if (!isParameter(index) || !open.test(static_cast<std::size_t>(index)))
        return;
    open.reset(static_cast<std::size_t>(index));
    effect.endEdit(index);
}

void HostEdits::endAll()
{
    for (int index = 0; index < kNumParameters; ++index)
        end(index);
}

bool HostEdits::takeCurveEdited()
{
    return std::exchange(curveEdited, false);
}
