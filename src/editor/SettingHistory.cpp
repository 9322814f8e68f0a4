#include "editor/SettingHistory.h"

#include <utility>

bool isSettingParameter(int index)
{
    return isParameter(index) && !kParameterTable[index].hidden;
}

void SettingHistory::record(const Setting& before, const Setting& after)
{
    Step step;
    for (int index = 0; index < kNumParameters; ++index)
    {
        if (isSettingParameter(index) && before[index] != after[index])
            step.push_back({index, before[index], after[index]});
    }
    if (step.empty())
        return;
    redoSteps.clear();
    undoSteps.push_back(std::move(step));
    if (undoSteps.size() > kMaxSteps)
        undoSteps.pop_front();
}

SettingHistory::Step SettingHistory::takeUndo()
{
    if (undoSteps.empty())
        return {};
    Step step = std::move(undoSteps.back());
    undoSteps.pop_back();
    redoSteps.push_back(step);
    return step;
}

SettingHistory::Step SettingHistory::takeRedo()
{
    if (redoSteps.empty())
        return {};
    Step step = std::move(redoSteps.back());
    redoSteps.pop_back();
    undoSteps.push_back(step);
    return step;
}
