#pragma once

#include "controls/ParameterSlot.h"

// What the editor's own switches command. They are bound to controls like parameters, but
// the editor handles them and the host never sees them.
enum class EditorCommand : int
{
    Info = 0,
};

constexpr SlotTarget commandTarget(EditorCommand command)
{
    return SlotTarget{SlotTarget::Kind::Command, static_cast<int>(command)};
}
