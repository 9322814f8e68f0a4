#include "DemoSignal.h"
#include "SignalStats.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

double rms(const std::vector<float>& samples, std::size_t start, std::size_t count)
{
    double sum = 0.0;
    for (std::size_t i = start; i < start + count; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(count));
}

TEST(DemoSignal, TenSecondsOfStereoAt44100)
{
    const AudioClip demo = makeDemoSignal();
    EXPECT_EQ(demo.sampleRate, 44100);
    ASSERT_EQ(demo.channels.size(), 2u);
    EXPECT_EQ(demo.frames(), 441000u);
    EXPECT_EQ(demo.channels[1].size(), demo.frames());
}

TEST(DemoSignal, EveryRunGivesTheSameSamples)
{
    EXPECT_EQ(makeDemoSignal().channels, makeDemoSignal().channels);
}

TEST(DemoSignal, PeaksAtMinusThreeDecibelsAndStartsAndEndsSilent)
{
    const AudioClip demo = makeDemoSignal();
    EXPECT_NEAR(peakInDecibels(measureStereo(demo).peak), -3.0, 0.01);
    for (const std::vector<float>& channel : demo.channels)
    {
        EXPECT_EQ(channel.front(), 0.0f);
        EXPECT_EQ(channel.back(), 0.0f);
    }
}

TEST(DemoSignal, IsStereoButNotUnrelated)
{
    // Centred drums and a pad that moves between the speakers: wide enough that widening
    // and narrowing both show, correlated enough to sound like one mix.
    const StereoStats stats = measureStereo(makeDemoSignal());
    ASSERT_TRUE(stats.correlation.has_value());
    EXPECT_GT(*stats.correlation, 0.4);
    EXPECT_LT(*stats.correlation, 0.9);
}

TEST(DemoSignal, NoSecondIsSilent)
{
    const AudioClip demo = makeDemoSignal();
    for (std::size_t second = 0; second < 10; ++second)
    {
        for (const std::vector<float>& channel : demo.channels)
            EXPECT_GT(rms(channel, second * 44100, 44100), 0.03) << second;
    }
}

}  // namespace
