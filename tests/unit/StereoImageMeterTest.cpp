#include "engine/StereoImageMeter.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{

constexpr float kRate = 48000.0f;
constexpr double kPi = 3.14159265358979323846;
constexpr std::size_t kBlock = 499;

std::size_t samplesIn(double seconds, float rate = kRate)
{
    return static_cast<std::size_t>(std::lround(seconds * rate));
}

// The meter, fed in blocks of an odd length, so runs and points straddle the blocks.
struct FedMeter
{
    std::unique_ptr<StereoImageMeter> meter = std::make_unique<StereoImageMeter>();
    std::unique_ptr<StereoImageReading> reading = std::make_unique<StereoImageReading>();

    explicit FedMeter(float rate = kRate) { EXPECT_TRUE(meter->prepare(rate)); }

    const StereoImageReading& feed(const std::vector<float>& left, const std::vector<float>& right)
    {
        for (std::size_t start = 0; start < left.size(); start += kBlock)
        {
            const int frames = static_cast<int>(std::min(kBlock, left.size() - start));
            meter->analyse(left.data() + start, right.data() + start, frames);
        }
        meter->read(*reading);
        return *reading;
    }
};

std::vector<float> scaled(const std::vector<float>& samples, float factor)
{
    std::vector<float> result(samples);
    for (float& sample : result)
        sample *= factor;
    return result;
}

// Long enough for the fast averages to settle: e^-10 of the start is left.
const std::vector<float> kTone = sine(samplesIn(3.0), 997.0, kRate, 0.5f);

}  // namespace

// Known images: where the points lie and what the correlation and balance read.

// Mono is a vertical line (side 0) at +1, opposite phase a horizontal one (mid 0) at -1.
TEST(StereoImageMeter, MonoAndOppositePhaseLieOnTheAxesAtPlusAndMinusOne)
{
    for (const float sign : {1.0f, -1.0f})
    {
        FedMeter fed;
        const StereoImageReading& image = fed.feed(kTone, scaled(kTone, sign));
        EXPECT_NEAR(image.correlationFast, sign, 1e-5f);
        EXPECT_NEAR(image.correlationSlow, sign, 1e-5f);
        EXPECT_NEAR(image.balance, 0.0f, 1e-6f);
        ASSERT_EQ(image.pointCount, kScopePointCapacity);
        float longest = 0.0f;
        for (int i = 0; i < image.pointCount; ++i)
        {
            ASSERT_EQ(sign > 0.0f ? image.points[i].side : image.points[i].mid, 0.0f) << i;
            longest = std::max(longest, std::hypot(image.points[i].side, image.points[i].mid));
        }
        // Lengths kept: a 0.5 peak in both channels reaches 0.5·√2.
        EXPECT_NEAR(longest, 0.5f * std::sqrt(2.0f), 0.01f);
    }
}

TEST(StereoImageMeter, OneChannelAloneLeansFortyFiveDegreesItsOwnWay)
{
    const std::vector<float> silence(kTone.size(), 0.0f);
    for (const float sign : {-1.0f, 1.0f})
    {
        FedMeter fed;
        const bool rightAlone = sign > 0.0f;
        const StereoImageReading& image = rightAlone ? fed.feed(silence, kTone) : fed.feed(kTone, silence);
        EXPECT_EQ(image.correlationFast, 0.0f);
        EXPECT_NEAR(image.balance, sign, 1e-6f);
        for (int i = 0; i < image.pointCount; ++i)
            ASSERT_NEAR(image.points[i].side, sign * image.points[i].mid, 1e-6f) << i;
    }
}

TEST(StereoImageMeter, IndependentNoiseReadsNoCorrelationAndARoundCloud)
{
    FedMeter fed;
    const StereoSignal noisy = stereoNoise(samplesIn(4.0), 0.5f);
    const StereoImageReading& image = fed.feed(noisy.left, noisy.right);
    EXPECT_NEAR(image.correlationFast, 0.0f, 0.05f);
    EXPECT_NEAR(image.correlationSlow, 0.0f, 0.02f);
    double sideSpread = 0.0;
    double midSpread = 0.0;
    for (int i = 0; i < image.pointCount; ++i)
    {
        sideSpread += image.points[i].side * image.points[i].side;
        midSpread += image.points[i].mid * image.points[i].mid;
    }
    EXPECT_NEAR(sideSpread / midSpread, 1.0, 0.1);
}

// A constant-power pan at position p (-1 left .. +1 right) moves the balance to sin(p·π/2)
// and keeps the level.
TEST(StereoImageMeter, ConstantPowerPanReadsItsBalanceAtAConstantLevel)
{
    for (const double position : {-1.0, -0.5, 0.0, 0.3, 1.0})
    {
        const double angle = (position + 1.0) * kPi / 4.0;
        FedMeter fed;
        const StereoImageReading& image = fed.feed(scaled(kTone, static_cast<float>(std::cos(angle))),
                                                   scaled(kTone, static_cast<float>(std::sin(angle))));
        EXPECT_NEAR(image.balance, std::sin(position * kPi / 2.0), 1e-3) << position;
        // Mean square 0.125 shared by the two channels: 10·log10(0.125 / 2).
        EXPECT_NEAR(image.levelDb, -12.04f, 0.02f) << position;
    }
}

// Settled on mono, then opposite phase from t = 0: <LR> falls as e^(-t/τ) from +1 to -1
// while the channels' powers stay, so the correlation reads 2·e^(-t/τ) - 1.
class StereoImageSettling : public ::testing::TestWithParam<float>
{
};

TEST_P(StereoImageSettling, FastAndSlowAveragesMoveWithTheirTimeConstants)
{
    const float rate = GetParam();
    const auto expected = [](double elapsed, double timeConstant)
    { return 2.0 * std::exp(-elapsed / timeConstant) - 1.0; };
    const std::vector<float> tone = sine(samplesIn(StereoImageMeter::kFastSeconds, rate), 997.0, rate, 0.5f);
    const std::vector<float> opposite = scaled(tone, -1.0f);
    FedMeter fed(rate);
    for (int i = 0; i < 50; ++i)
        fed.feed(tone, tone);
    const StereoImageReading& afterOne = fed.feed(tone, opposite);
    EXPECT_NEAR(afterOne.correlationFast, expected(1.0, 1.0), 0.01);
    EXPECT_NEAR(afterOne.correlationSlow, expected(0.1, 1.0), 0.01);
    fed.feed(tone, opposite);
    const StereoImageReading& afterThree = fed.feed(tone, opposite);
    EXPECT_NEAR(afterThree.correlationFast, expected(3.0, 1.0), 0.01);
    for (int i = 3; i < 10; ++i)
        fed.feed(tone, opposite);
    EXPECT_NEAR(fed.reading->correlationSlow, expected(1.0, 1.0), 0.01);
}

INSTANTIATE_TEST_SUITE_P(SampleRates, StereoImageSettling, ::testing::Values(44100.0f, 96000.0f));

// The points: the newest ones, oldest first, spread over the last kScopeHistorySeconds.
TEST(StereoImageMeter, PointsAreTheLatestHistoryOldestFirst)
{
    std::vector<float> ramp(samplesIn(1.0));
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<float>(i) / kRate;
    FedMeter fed;
    const StereoImageReading& image = fed.feed(ramp, ramp);
    ASSERT_EQ(image.pointCount, kScopePointCapacity);
    const auto secondsOf = [&](int i) { return image.points[i].mid / std::sqrt(2.0f); };
    for (int i = 1; i < image.pointCount; ++i)
        ASSERT_GT(secondsOf(i), secondsOf(i - 1)) << i;
    EXPECT_NEAR(secondsOf(image.pointCount - 1), 1.0f, 1e-3f);
    EXPECT_NEAR(secondsOf(0), 1.0f - kScopeHistorySeconds, 1e-3f);

    FedMeter briefly;
    const std::vector<float> tenth(samplesIn(kScopeHistorySeconds / 3.0), 0.5f);
    EXPECT_NEAR(briefly.feed(tenth, tenth).pointCount, kScopePointCapacity / 3, 1);
}

TEST(StereoImageMeter, SilenceAndANonFiniteSampleReadAsNothing)
{
    FedMeter fed;
    const StereoImageReading& silent = fed.feed(std::vector<float>(1000, 0.0f), std::vector<float>(1000, 0.0f));
    EXPECT_EQ(silent.correlationFast, 0.0f);
    EXPECT_EQ(silent.balance, 0.0f);
    EXPECT_EQ(silent.levelDb, kImageSilenceDb);

    std::vector<float> broken(kTone);
    broken[100] = std::nanf("");
    const StereoImageReading& after = fed.feed(broken, broken);
    EXPECT_NEAR(after.correlationFast, 1.0f, 1e-5f);
    EXPECT_TRUE(std::isfinite(after.levelDb));
}
