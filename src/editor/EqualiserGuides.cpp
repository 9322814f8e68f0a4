#include "editor/EqualiserGuides.h"

namespace
{

constexpr float kFirstGuideDb = 2.0f;
constexpr float kGuideStepDb = 3.6666667f;
// A guide exactly on the edge (u equal to the range) is drawn despite rounding.
constexpr float kEdgeTolerance = 1e-5f;

}  // namespace

EqualiserGuides EqualiserGuides::forRange(float rangeDb, float halfHeight)
{
    EqualiserGuides guides{};
    if (!(rangeDb > 0.0f))
        return guides;
    for (int pair = 0; pair < kMaxPairs; ++pair)
    {
        const float decibels = kFirstGuideDb + kGuideStepDb * static_cast<float>(pair);
        const float offset = halfHeight * decibels / rangeDb;
        if (offset <= halfHeight * (1.0f + kEdgeTolerance))
            guides.offsets[guides.count++] = offset;
    }
    return guides;
}
