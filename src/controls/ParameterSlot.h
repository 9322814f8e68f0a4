#pragma once

// What a control slot is bound to: an effect parameter, or a command the editor handles
// itself. Commands are numbered apart from the parameters and never reach the host.
struct SlotTarget
{
    enum class Kind
    {
        Parameter,
        Command,
    };

    Kind kind = Kind::Parameter;
    int index = 0;

    bool isParameter(int parameterIndex) const { return kind == Kind::Parameter && index == parameterIndex; }
};

struct ParameterSlot
{
    SlotTarget target;
    float value = 0.0f;
    float defaultValue = 0.5f;  // restored by Ctrl-click
};
