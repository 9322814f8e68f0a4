// The report's analysis on signals whose image is known, and its correlation being the Scope
// meter's own.

#include "ImageReportAnalysis.h"
#include "ReportJson.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace
{

constexpr int kRate = 44100;

struct Stereo
{
    std::vector<float> left;
    std::vector<float> right;
};

// Frame i of seconds of audio as (left, right), from a generator fed i and a noise value.
Stereo made(double seconds, const std::function<std::pair<float, float>(std::size_t, float, float)>& frame)
{
    const auto frames = static_cast<std::size_t>(seconds * kRate);
    Stereo signal{std::vector<float>(frames), std::vector<float>(frames)};
    unsigned state = 12345;
    const auto noise = [&]
    {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    };
    for (std::size_t i = 0; i < frames; ++i)
    {
        const float a = noise();
        const float b = noise();
        std::tie(signal.left[i], signal.right[i]) = frame(i, a, b);
    }
    return signal;
}

// In pieces of an odd size, as no reading step or transform frame divides them.
ImageReport analysed(const Stereo& signal)
{
    ImageReportAnalysis analysis("test", kRate);
    constexpr std::size_t kPiece = 1001;
    for (std::size_t start = 0; start < signal.left.size(); start += kPiece)
    {
        const std::size_t count = std::min(kPiece, signal.left.size() - start);
        analysis.add(signal.left.data() + start, signal.right.data() + start, count);
    }
    return analysis.finish();
}

TEST(ImageReport, KnownImagesReadAsExpected)
{
    const ImageReport mono =
        analysed(made(2.0, [](std::size_t, float a, float) { return std::pair(0.3f * a, 0.3f * a); }));
    EXPECT_NEAR(mono.meanCorrelation, 1.0, 1e-5);
    EXPECT_NEAR(mono.width, 0.0, 1e-9);
    EXPECT_NEAR(mono.balance, 0.0, 1e-5);
    // Uniform noise of ±0.3 has an RMS of 0.3 / sqrt 3.
    EXPECT_NEAR(mono.levelDb, 20.0 * std::log10(0.3 / std::sqrt(3.0)), 0.05);
    EXPECT_NEAR(mono.peakDb, 20.0 * std::log10(0.3), 0.01);

    const ImageReport leftOnly = analysed(made(2.0, [](std::size_t, float a, float) { return std::pair(a, 0.0f); }));
    EXPECT_EQ(leftOnly.meanCorrelation, 0.0);
    EXPECT_NEAR(leftOnly.width, 1.0, 1e-6);
    EXPECT_NEAR(leftOnly.balance, -1.0, 1e-5);

    const ImageReport opposite = analysed(made(2.0, [](std::size_t, float a, float) { return std::pair(a, -a); }));
    EXPECT_NEAR(opposite.meanCorrelation, -1.0, 1e-5);
    EXPECT_EQ(opposite.width, kWidestRatio);

    const ImageReport unrelated = analysed(made(4.0, [](std::size_t, float a, float b) { return std::pair(a, b); }));
    EXPECT_NEAR(unrelated.meanCorrelation, 0.0, 0.05);
    EXPECT_NEAR(unrelated.width, 1.0, 0.02);

    // Panned left, right at half the left's amplitude: (0.25 - 1) / (0.25 + 1) = -0.6.
    const ImageReport panned = analysed(made(2.0, [](std::size_t, float a, float) { return std::pair(a, 0.5f * a); }));
    EXPECT_NEAR(panned.balance, -0.6, 1e-4);
    EXPECT_NEAR(panned.width, 1.0 / 9.0, 1e-6);

    // Silence reads defined values everywhere, and JSON without NaN or infinity.
    const ImageReport silence = analysed(made(1.5, [](std::size_t, float, float) { return std::pair(0.0f, 0.0f); }));
    EXPECT_EQ(silence.nonSilentSeconds, 0);
    EXPECT_EQ(silence.secondIsSilent, std::vector<bool>({true, true}));
    EXPECT_EQ(silence.levelDb, kImageSilenceDb);
    const std::string json = reportJson(silence, &silence);
    EXPECT_EQ(json.find("nan"), std::string::npos) << json;
    EXPECT_EQ(json.find("inf"), std::string::npos) << json;
}

TEST(ImageReport, EachSecondIsTheMeanOfTheScopeMetersReadings)
{
    // Two seconds mono, one out of phase, one and a half unrelated.
    const Stereo signal = made(4.5,
                               [](std::size_t i, float a, float b)
                               {
                                   if (i < 2 * kRate)
                                       return std::pair(a, a);
                                   return i < 3 * kRate ? std::pair(a, -a) : std::pair(a, b);
                               });
    const ImageReport report = analysed(signal);

    StereoImageMeter meter;
    ASSERT_TRUE(meter.prepare(kRate));
    auto reading = std::make_unique<StereoImageReading>();
    std::vector<double> expected;
    const std::size_t step = kRate / ImageReportAnalysis::kReadingsPerSecond;
    for (std::size_t start = 0; start < signal.left.size(); start += ImageReportAnalysis::kReadingsPerSecond * step)
    {
        double sum = 0.0;
        int readings = 0;
        for (std::size_t at = start; at < std::min(signal.left.size(), start + kRate); at += step, ++readings)
        {
            meter.analyse(signal.left.data() + at, signal.right.data() + at,
                          static_cast<int>(std::min(step, signal.left.size() - at)));
            meter.read(*reading);
            sum += reading->correlationFast;
        }
        expected.push_back(sum / readings);
    }
    ASSERT_EQ(report.correlationPerSecond.size(), expected.size());
    for (std::size_t second = 0; second < expected.size(); ++second)
        EXPECT_NEAR(report.correlationPerSecond[second], expected[second], 1e-5) << "second " << second;
    EXPECT_EQ(report.lowestCorrelationSecond, 2);
    EXPECT_FLOAT_EQ(report.lowestCorrelation, report.correlationPerSecond[2]);
    EXPECT_NEAR(report.meanCorrelation, (expected[0] + expected[1] + expected[2] + expected[3] + expected[4]) / 5,
                1e-5);
}

TEST(ImageReport, WidthPerBandFindsWhereTheSideIs)
{
    // Noise in the middle, and 1 kHz on the side only.
    constexpr double kStep = 2.0 * 3.14159265358979 / kRate;
    const ImageReport report = analysed(made(2.0,
                                             [&](std::size_t i, float a, float)
                                             {
                                                 const float mid = 0.1f * a;
                                                 const auto side =
                                                     static_cast<float>(0.3 * std::sin(1000.0 * kStep * i));
                                                 return std::pair(mid - side, mid + side);
                                             }));
    ASSERT_EQ(report.bandCentres.size(), 30u);  // 25 Hz to 20 kHz are all below 22.05 kHz
    const auto widthAt = [&](double centre)
    {
        return report.bandWidths[std::find(report.bandCentres.begin(), report.bandCentres.end(), centre) -
                                 report.bandCentres.begin()];
    };
    EXPECT_GT(widthAt(1000.0), 10.0);
    for (const double other : {25.0, 800.0, 1250.0, 20000.0})
        EXPECT_LT(widthAt(other), 0.05) << other << " Hz";
    EXPECT_EQ(BandWidthAnalysis(22050).centres().back(), 10000.0);
}

}  // namespace
