#pragma once

#include "editor/SettingHistory.h"

// A/B compare: two settings held in the editor. The live setting is always the active
// slot's, so only the other one is kept here. GUI thread only.
class CompareSlots
{
public:
    enum class Slot
    {
        A,
        B,
    };

    Slot active() const { return current; }
    // Makes the other slot active and answers its setting, keeping `live` as the slot left.
    // A slot never used before starts as a copy of the live setting.
    Setting switchOver(const Setting& live);
    // The other slot takes the live setting (Copy A to B while A is active).
    void copyToOther(const Setting& live);

private:
    Slot current = Slot::A;
    Setting other{};
    bool otherHeld = false;
};
