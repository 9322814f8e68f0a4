#include "editor/GainMeterReading.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(GainMeterReading, PeaksShowWithAPerFrameReleaseWrittenBackToTheEngine)
{
    EngineMeters meters;
    meters.peakLeft = 1.0f;
    meters.peakRight = 0.5f;
    meters.bassMeter = 0.1f;
    meters.sizzleMeter = 0.6f;
    const GainMeterReading first = GainMeterReading::take(meters);
    EXPECT_FLOAT_EQ(first.stereo[0], 1.0f);
    EXPECT_FLOAT_EQ(first.stereo[1], 0.75f);
    EXPECT_FLOAT_EQ(first.stereo[2], 0.1f - 0.14f);  // below the threshold: negative, unclamped
    EXPECT_FLOAT_EQ(first.stereo[3], 0.6f);
    EXPECT_FLOAT_EQ(meters.peakLeft, 0.85f);
    EXPECT_FLOAT_EQ(meters.bassMeter, 0.08f);
    EXPECT_FLOAT_EQ(meters.sizzleMeter, 0.42f);

    EXPECT_NEAR(GainMeterReading::take(meters).stereo[0], 0.9775f, 1e-6f);
    EXPECT_NEAR(GainMeterReading::take(meters).stereo[0], 1.0f - (1.0f - 0.7225f) * (1.0f - 0.7225f), 1e-6f);
}

TEST(GainMeterReading, AClippedBlockShowsForOneFrame)
{
    EngineMeters meters;
    meters.clipFlag = 1.0f;
    EXPECT_EQ(GainMeterReading::take(meters).clipped, 1.0f);
    EXPECT_EQ(GainMeterReading::take(meters).clipped, 0.0f);
}

// A bypassed hot input can peak above full scale; the panel stays at its edge.
TEST(GainMeterReading, PeaksAboveFullScaleStayAtTheEdge)
{
    EngineMeters meters;
    meters.peakLeft = 2.5f;
    meters.peakRight = 1.2f;
    const GainMeterReading reading = GainMeterReading::take(meters);
    EXPECT_EQ(reading.stereo[0], 1.0f);
    EXPECT_EQ(reading.stereo[1], 1.0f);
}

// The panel asks for frames while a reading would still change its picture, and not after.
TEST(GainMeterReading, MovesUntilTheMetersHaveFallenAway)
{
    EngineMeters meters;
    EXPECT_FALSE(GainMeterReading::moving(meters));
    meters.bassMeter = 0.1f;  // below the ring's threshold
    EXPECT_FALSE(GainMeterReading::moving(meters));
    meters.clipFlag = 1.0f;
    EXPECT_TRUE(GainMeterReading::moving(meters));
    GainMeterReading::take(meters);
    EXPECT_FALSE(GainMeterReading::moving(meters));
    meters.peakRight = 1.0f;
    int frames = 0;
    while (GainMeterReading::moving(meters) && frames < 1000)
    {
        GainMeterReading::take(meters);
        ++frames;
    }
    // Frames of 0.85 release from full scale down to the visible limit of 1e-3.
    EXPECT_EQ(frames, static_cast<int>(std::ceil(std::log(1e-3) / std::log(0.85))));
}
