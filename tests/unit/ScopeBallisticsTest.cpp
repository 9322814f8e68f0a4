#include "editor/ScopeBallistics.h"
#include "engine/StereoImageReading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{

// A reading whose loudest point lies `amplitude` from the centre.
std::unique_ptr<StereoImageReading> readingOf(float amplitude)
{
    auto reading = std::make_unique<StereoImageReading>();
    reading->levelDb = amplitude > 0.0f ? 20.0f * std::log10(amplitude) : kImageSilenceDb;
    reading->pointCount = 2;
    reading->points[0] = {0.0f, amplitude / 2.0f};
    reading->points[1] = {0.0f, amplitude};
    return reading;
}

}  // namespace

// A louder signal takes the gain down at once; a quieter one lets it rise at 6 dB a second
// to exactly the gain that fits it, and silence to the most.
TEST(ScopeBallistics, AttackAtOnceReleaseSlowlyToTheFittingGain)
{
    ScopeBallistics ballistics;
    ballistics.take(*readingOf(0.5f), 1000);
    EXPECT_FLOAT_EQ(ballistics.gain(), ScopeBallistics::kFill / 0.5f);

    ballistics.take(*readingOf(0.05f), 1500);
    EXPECT_FLOAT_EQ(ballistics.gain(), ScopeBallistics::kFill / 0.5f * std::sqrt(2.0f));
    ballistics.take(*readingOf(0.05f), 5000);
    EXPECT_FLOAT_EQ(ballistics.gain(), ScopeBallistics::kFill / 0.05f);

    ballistics.take(*readingOf(1.0f), 5016);
    EXPECT_FLOAT_EQ(ballistics.gain(), ScopeBallistics::kFill);

    ballistics.take(*readingOf(0.0f), 60000);
    EXPECT_FLOAT_EQ(ballistics.gain(), ScopeBallistics::kMaxGain);
    EXPECT_FALSE(ScopeBallistics::audible(*readingOf(0.0f)));
}

TEST(ScopeBallistics, GarbageInTheReadingLeavesTheGainInItsRange)
{
    auto reading = readingOf(0.5f);
    reading->points[1].mid = std::numeric_limits<float>::infinity();
    EXPECT_FLOAT_EQ(ScopeBallistics::targetGain(*reading), ScopeBallistics::kMinGain);
    reading->points[1].mid = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FLOAT_EQ(ScopeBallistics::targetGain(*reading), ScopeBallistics::kFill / 0.25f);
    // A level with every point at the centre: no division by zero.
    reading->points[0] = reading->points[1] = {0.0f, 0.0f};
    EXPECT_FLOAT_EQ(ScopeBallistics::targetGain(*reading), ScopeBallistics::kMaxGain);
}
