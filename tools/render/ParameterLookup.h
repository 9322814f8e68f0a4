#pragma once

#include <string>
#include <vector>

struct ParameterInfo
{
    int index = 0;
    std::string name; // as the plug-in reports it
    float value = 0.0f;
};

// The index of the parameter called name: an exact match first, otherwise the one match
// that ignores case. Throws RenderFailure for an unknown or ambiguous name.
int findParameterIndex(const std::vector<ParameterInfo>& parameters, const std::string& name);
