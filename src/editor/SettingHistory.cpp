#include "editor/SettingHistory.h"

#include <utility>

bool isSettingParameter(int index)
{
    return isParameter(index) && !kParameterTable[index].hidden();
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
    return moveNewest(undoSteps, redoSteps);
}

SettingHistory::Step SettingHistory::takeRedo()
{
    return moveNewest(redoSteps, undoSteps);
}

SettingHistory::Step SettingHistory::moveNewest(std::deque<Step>& from, std::deque<Step>& to)
{
    if (from.empty())
        return {};
    to.push_back(std::move(from.back()));
    from.pop_back();
    return to.back();
}
