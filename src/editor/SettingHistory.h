#pragma once

#include "params/ParameterTable.h"

#include <array>
#include <cstddef>
#include <deque>
#include <vector>

// A whole setting as the user sees it: every parameter's normalised value.
using Setting = std::array<float, kNumParameters>;

// What the user's undo and redo, presets and A/B set: everything but the housekeeping
// values hosts never see.
bool isSettingParameter(int index);

// The editor's undo and redo. A step is what one edit, preset load or A/B switch changed,
// each parameter with its value before and after, so undoing it puts back those parameters
// only and leaves alone what the host automated meanwhile. GUI thread only.
class SettingHistory
{
public:
    static constexpr std::size_t kMaxSteps = 128;

    struct Change
    {
        int index;
        float before;
        float after;
    };
    using Step = std::vector<Change>;

    // One step from `before` to `after` (none when no setting parameter differs); whatever
    // could be redone is gone. The oldest step goes beyond kMaxSteps.
    void record(const Setting& before, const Setting& after);
    bool canUndo() const { return !undoSteps.empty(); }
    bool canRedo() const { return !redoSteps.empty(); }
    // The step to take back (set each `before`), now redoable; empty when there is none.
    Step takeUndo();
    // The step to make again (set each `after`), now undoable; empty when there is none.
    Step takeRedo();

private:
    // Moves the newest step of `from` onto `to` and answers it.
    static Step moveNewest(std::deque<Step>& from, std::deque<Step>& to);

    std::deque<Step> undoSteps;
    std::deque<Step> redoSteps;
};
