#include "SignalStats.h"
#include "ProgressBar.h"
#include "RenderSummary.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

AudioClip stereo(std::vector<float> left, std::vector<float> right)
{
    AudioClip clip;
    clip.channels = {std::move(left), std::move(right)};
    return clip;
}

TEST(SignalStats, IdenticalChannelsCorrelateFully)
{
    const StereoStats stats = measureStereo(stereo({0.1f, -0.5f, 0.25f}, {0.1f, -0.5f, 0.25f}));
    EXPECT_FLOAT_EQ(stats.peak, 0.5f);
    ASSERT_TRUE(stats.correlation.has_value());
    EXPECT_NEAR(*stats.correlation, 1.0, 1e-12);
}

TEST(SignalStats, OppositeAndUnrelatedChannels)
{
    EXPECT_NEAR(*measureStereo(stereo({0.5f, -0.25f}, {-0.5f, 0.25f})).correlation, -1.0, 1e-12);
    EXPECT_NEAR(*measureStereo(stereo({1.0f, 0.0f, -1.0f, 0.0f}, {0.0f, 1.0f, 0.0f, -1.0f})).correlation, 0.0, 1e-12);
}

TEST(SignalStats, ASilentChannelHasNoCorrelation)
{
    const StereoStats stats = measureStereo(stereo({0.0f, 0.0f}, {0.3f, -0.3f}));
    EXPECT_FLOAT_EQ(stats.peak, 0.3f);
    EXPECT_FALSE(stats.correlation.has_value());
}

TEST(SignalStats, LevelIsTheRmsOfBothChannelsTogether)
{
    // Left at 0.5 throughout, right silent: the mean square over both channels is 0.125.
    std::vector<float> left(7, 0.5f);
    left[3] = -0.5f;
    const StereoStats stats = measureStereo(stereo(left, std::vector<float>(7, 0.0f)));
    EXPECT_NEAR(stats.rms, std::sqrt(0.125), 1e-9);
    EXPECT_NEAR(levelInDecibels(stats.rms), -9.0309, 1e-3);
    EXPECT_EQ(measureStereo(stereo({}, {})).rms, 0.0);
}

TEST(SignalStats, PeakInDecibels)
{
    EXPECT_NEAR(peakInDecibels(1.0f), 0.0, 1e-9);
    EXPECT_NEAR(peakInDecibels(0.5f), -6.0206, 1e-3);
}

TEST(RenderSummary, OneLineWithDurationSpeedPeaksCorrelationsAndLevels)
{
    RenderReport report;
    report.outputPath = "out.wav";
    report.audioSeconds = 10.0;
    report.wallSeconds = 0.5;
    report.input = {0.5f, 0.75, 0.25};
    report.output = {0.0f, std::nullopt, 0.0};
    const std::string line = summaryLine(report);
    EXPECT_EQ(line, "out.wav: 10.00 s rendered in 0.50 s (20.0x realtime); peak -6.0 dBFS -> -inf dBFS; "
                    "stereo correlation 0.75 -> n/a; level -12.0 dBFS RMS -> -inf dBFS RMS");
}

TEST(ProgressBar, LineShowsTheFraction)
{
    EXPECT_EQ(ProgressBar::line(0.0), "[........................................] 0%");
    EXPECT_EQ(ProgressBar::line(0.5), "[####################....................] 50%");
    EXPECT_EQ(ProgressBar::line(1.5), "[########################################] 100%");
}

}  // namespace
