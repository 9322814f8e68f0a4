#include "ParameterLookup.h"

#include "RenderErrors.h"

#include <algorithm>
#include <cctype>

namespace
{

bool equalIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

int findParameterIndex(const std::vector<ParameterInfo>& parameters, const std::string& name)
{
    for (const ParameterInfo& parameter : parameters)
    {
        if (parameter.name == name)
            return parameter.index;
    }
    std::vector<const ParameterInfo*> matches;
    for (const ParameterInfo& parameter : parameters)
    {
        if (equalIgnoringCase(parameter.name, name))
            matches.push_back(&parameter);
    }
    if (matches.size() == 1)
        return matches.front()->index;
    if (matches.empty())
        throw RenderFailure("the plug-in has no parameter called \"" + name +
                            "\"; run vantor-render --list to see the names");
    std::string candidates;
    for (const ParameterInfo* match : matches)
        candidates += " \"" + match->name + "\"";
    throw RenderFailure("the parameter name \"" + name + "\" is ambiguous; write it exactly as one of" + candidates);
}
