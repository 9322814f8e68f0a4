#pragma once

// One effect parameter (or editor command) a control is bound to.
struct ParameterSlot
{
    int parameterIndex = 0;
    float value = 0.0f;
    float defaultValue = 0.5f;  // restored by Ctrl-click
};
