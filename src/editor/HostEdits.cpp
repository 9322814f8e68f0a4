#include "editor/HostEdits.h"

#include "editor/EditorModel.h"
#include "view/EditorEffect.h"

#include <utility>

void HostEdits::begin(int index)
{
    if (!isParameter(index) || open.test(static_cast<std::size_t>(index)))
        return;
    if (!gestureOpen())
        gestureStart = current();
    effect.beginEdit(index);
    open.set(static_cast<std::size_t>(index));
}

void HostEdits::change(int index, float value)
{
    if (!isParameter(index))
        return;
    if (open.test(static_cast<std::size_t>(index)))
    {
        model.setValue(index, value);
        curveEdited = curveEdited || isEqualiserPointParameter(index);
        effect.setParameterAutomated(index, value);
        return;
    }
    const Setting before = current();
    changeAlone(index, value);
    if (!gestureOpen())
        history.record(before, current());
}

void HostEdits::end(int index)
{
    if (!isParameter(index) || !open.test(static_cast<std::size_t>(index)))
        return;
    open.reset(static_cast<std::size_t>(index));
    effect.endEdit(index);
    if (!gestureOpen())
        history.record(gestureStart, current());
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

Setting HostEdits::current() const
{
    Setting setting{};
    for (int index = 0; index < kNumParameters; ++index)
        setting[index] = model.value(index);
    return setting;
}

bool HostEdits::apply(const Setting& target)
{
    if (gestureOpen())
        return false;
    const Setting before = current();
    for (int index = 0; index < kNumParameters; ++index)
    {
        if (isSettingParameter(index) && target[index] != before[index])
            changeAlone(index, target[index]);
    }
    history.record(before, current());
    return true;
}

bool HostEdits::undo()
{
    if (gestureOpen() || !history.canUndo())
        return false;
    replay(history.takeUndo(), &SettingHistory::Change::before);
    return true;
}

bool HostEdits::redo()
{
    if (gestureOpen() || !history.canRedo())
        return false;
    replay(history.takeRedo(), &SettingHistory::Change::after);
    return true;
}

void HostEdits::replay(const SettingHistory::Step& step, float SettingHistory::Change::*value)
{
    for (const SettingHistory::Change& change : step)
        changeAlone(change.index, change.*value);
}

void HostEdits::changeAlone(int index, float value)
{
    model.setValue(index, value);
    curveEdited = curveEdited || isEqualiserPointParameter(index);
    effect.beginEdit(index);
    effect.setParameterAutomated(index, value);
    effect.endEdit(index);
}
