#include "editor/EditorScale.h"

#include <cmath>

namespace
{

// The pick is kept as one byte: its percentage in steps of 5 (100 % is 20), 0 for none.
constexpr float kPercentStep = 5.0f;

}  // namespace

float EditorScale::nearest(float factor)
{
    if (!(factor > 0.0f))
        return kAutomatic;
    float best = kFactors.front();
    for (const float offered : kFactors)
    {
        if (std::fabs(offered - factor) < std::fabs(best - factor))
            best = offered;
    }
    return best;
}

void EditorScale::recallUserChoice()
{
    const int stored = preference.readPref();
    const float factor = static_cast<float>(stored) * kPercentStep / 100.0f;
    // Only a size the editor offers counts; anything else is a damaged setting.
    user = stored > 0 && nearest(factor) == factor ? factor : kAutomatic;
}

void EditorScale::choose(float factor)
{
    user = nearest(factor);
    preference.writePref(user == kAutomatic ? 0 : static_cast<int>(std::lround(user * 100.0f / kPercentStep)));
}

float EditorScale::automatic() const
{
    if (host != kAutomatic)
        return host;
    return desktop != kAutomatic ? desktop : kFactors.front();
}

float EditorScale::chosen() const
{
    return user != kAutomatic ? user : automatic();
}
