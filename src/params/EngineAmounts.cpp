#include "params/EngineAmounts.h"

#include "params/ParameterTable.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr float kPunchAtFull = 5.656854f;  // 2^2.5

}  // namespace

namespace amounts
{

bool active(float value)
{
    return engineValue(value) > 0.0f;
}

float stereoWidth(float value)
{
    return 2.0f * engineValue(value);
}

float punch(float value)
{
    // A negative stored value has no real power; treat it as none.
    return std::pow(std::max(engineValue(value), 0.0f), 2.5f) * kPunchAtFull;
}

float sizzle(float value)
{
    return 8.0f * engineValue(value) + 1.0f;
}

float shape(float value)
{
    return 2.0f * engineValue(value);
}

float gain(float value)
{
    const float bounded = engineValue(value);
    return 4.0f * bounded * bounded;
}

float eqRange(float value)
{
    return 22.0f * engineValue(value) + 2.0f;
}

}  // namespace amounts
