#include "EngineTestSupport.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <numeric>

namespace
{

constexpr float kOverlapRipple = 1e-3f;

double rms(const std::vector<float>& samples, std::size_t from, std::size_t to)
{
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(samples[i]) * samples[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

// A drum-like loop: decaying low sine kicks, noisy snares and short bright hats.
StereoSignal drumLoop(std::size_t length, double rate)
{
    StereoSignal loop{std::vector<float>(length, 0.0f), std::vector<float>(length, 0.0f)};
    const std::vector<float> hiss = noise(length, 9, 1.0f);
    const auto beat = static_cast<std::size_t>(rate * 0.25);
    for (std::size_t start = 0; start < length; start += beat)
    {
        const bool kick = (start / beat) % 2 == 0;
        for (std::size_t i = 0; i < beat && start + i < length; ++i)
        {
            const double t = static_cast<double>(i) / rate;
            const float body =
                kick ? static_cast<float>(0.5 * std::exp(-t * 18.0) * std::sin(2.0 * 3.14159265 * 60.0 * t))
                     : static_cast<float>(0.25 * std::exp(-t * 30.0)) * hiss[start + i];
            const float hat = static_cast<float>(0.1 * std::exp(-t * 200.0)) * hiss[(start + i * 7) % length];
            loop.left[start + i] = body + hat;
            loop.right[start + i] = body - 0.5f * hat;
        }
    }
    return loop;
}

}  // namespace

class NeutralChain : public ::testing::TestWithParam<float>
{
};

TEST_P(NeutralChain, ReproducesNoiseSinesAndDrumsOneFrameAndOneSampleLater)
{
    const float rate = GetParam();
    auto host = startedEngine(rate);
    const int latency = host->latency();
    StereoSignal input = stereoNoise(8 * latency, 0.3f);
    const std::vector<float> tone = sine(input.left.size(), 1234.5, rate, 0.3f);
    const StereoSignal drums = drumLoop(input.left.size(), rate);
    for (std::size_t i = 0; i < tone.size(); ++i)
    {
        input.left[i] += tone[i] + drums.left[i];
        input.right[i] = drums.right[i] - 0.5f * input.right[i];
    }
    StereoSignal output = input;
    runBlocks(*host, output.left, output.right);
    for (std::size_t t = 2 * latency; t < input.left.size(); ++t)
    {
        ASSERT_NEAR(output.left[t], input.left[t - latency], 2 * kOverlapRipple) << t;
        ASSERT_NEAR(output.right[t], input.right[t - latency], 2 * kOverlapRipple) << t;
    }
}

INSTANTIATE_TEST_SUITE_P(SampleRates, NeutralChain, ::testing::Values(44100.0f, 48000.0f, 96000.0f));

TEST(SpectralChain, FullWidthBoostsMaterialPresentInOneChannelOnly)
{
    auto host = startedEngine();
    setParameter(*host, kParamStereoWidth, 1.0f);
    std::vector<float> left = sine(20 * 2048, 1000.0, 44100.0, 0.05f);
    std::vector<float> right(left.size(), 0.0f);
    const std::vector<float> input = left;
    runBlocks(*host, left, right);
    const std::size_t from = 4 * 2048;
    EXPECT_NEAR(rms(left, from, left.size()) / rms(input, from - 2049, input.size() - 2049), 4.75, 0.05);
    EXPECT_LT(rms(right, from, right.size()), 1e-6);
}

TEST(SpectralChain, EqualChannelsAreNotWidened)
{
    auto host = startedEngine();
    setParameter(*host, kParamStereoWidth, 1.0f);
    std::vector<float> left = sine(12 * 2048, 700.0, 44100.0, 0.2f);
    std::vector<float> right = left;
    const std::vector<float> input = left;
    runBlocks(*host, left, right);
    for (std::size_t t = 3 * 2048; t < left.size(); ++t)
        ASSERT_NEAR(left[t], input[t - 2049], kOverlapRipple) << t;
}

namespace
{

// A tone that starts after silence, rendered with one parameter set; the left output.
std::vector<float> renderToneBurst(int parameter, float value, double frequency, float amplitude)
{
    auto host = startedEngine();
    setParameter(*host, parameter, value);
    std::vector<float> left(16 * 2048, 0.0f);
    const std::vector<float> tone = sine(left.size(), frequency, 44100.0, amplitude);
    std::copy(tone.begin() + 4 * 2048, tone.end(), left.begin() + 4 * 2048);
    std::vector<float> right = left;
    runBlocks(*host, left, right);
    return left;
}

// The shaped render is louder than the neutral one just after the attack by at least
// `lift`, and the same once the sound is steady.
void expectAttackLiftedOnly(const std::vector<float>& neutral, const std::vector<float>& shaped, double lift)
{
    const std::size_t onset = 4 * 2048 + 2049;
    EXPECT_GT(rms(shaped, onset, onset + 2048), lift * rms(neutral, onset, onset + 2048));
    const std::size_t steady = onset + 4 * 2048;
    for (std::size_t t = steady; t < shaped.size(); ++t)
        ASSERT_NEAR(shaped[t], neutral[t], 1e-4f) << t;
}

}  // namespace

TEST(SpectralChain, PunchLiftsBassAttacksAndLeavesSteadySoundAlone)
{
    // 107.7 Hz is analysis bin 5, in the middle of the punch band.
    expectAttackLiftedOnly(renderToneBurst(kParamPunch, 0.5f, 107.666, 0.08f),
                           renderToneBurst(kParamPunch, 1.0f, 107.666, 0.08f), 2.0);
}

TEST(SpectralChain, SizzleLiftsHighAttacksOnly)
{
    expectAttackLiftedOnly(renderToneBurst(kParamSizzle, 0.0f, 15000.0, 0.05f),
                           renderToneBurst(kParamSizzle, 1.0f, 15000.0, 0.05f), 4.0);
}

TEST(SpectralChain, GainAndEqualiserScaleTheWetSignal)
{
    auto host = startedEngine();
    setParameter(*host, kParamGain, 0.25f);  // 4 a^2 = 0.25
    std::vector<float> left = sine(12 * 2048, 2000.0, 44100.0, 0.4f);
    std::vector<float> right = left;
    const std::vector<float> input = left;
    runBlocks(*host, left, right);
    EXPECT_NEAR(rms(left, 4 * 2048, left.size()) / rms(input, 4 * 2048 - 2049, input.size() - 2049), 0.25, 0.005);

    // Both curve points at the top with the largest range: 10^1.2 across the band.
    auto lifted = startedEngine();
    setParameter(*lifted, eqPointYIndex(0), 1.0f);
    setParameter(*lifted, eqPointYIndex(1), 1.0f);
    setParameter(*lifted, kParamEqGain, 1.0f);
    std::vector<float> quiet = sine(12 * 2048, 2000.0, 44100.0, 0.02f);
    std::vector<float> quietRight = quiet;
    const std::vector<float> quietInput = quiet;
    runBlocks(*lifted, quiet, quietRight);
    EXPECT_NEAR(rms(quiet, 4 * 2048, quiet.size()) / rms(quietInput, 4 * 2048 - 2049, quietInput.size() - 2049),
                std::pow(10.0, 1.2), 0.3);
}

// Host automation of the points must be heard without the editor's rebuild trigger.
TEST(SpectralChain, AutomatingTheCurvePointsAloneChangesTheSound)
{
    const double range = 22.0 * 5.0 / 11.0 + 2.0;  // the default Eq.gain
    const auto wetGain = [](const std::function<void(EngineHost&)>& automate)
    {
        auto host = startedEngine();
        std::vector<float> left = sine(16 * 2048, 1000.0, 44100.0, 0.02f);
        std::vector<float> right = left;
        const std::vector<float> input = left;
        std::vector<float> head(left.begin(), left.begin() + 4 * 2048);
        std::vector<float> headRight = head;
        runBlocks(*host, head, headRight);
        automate(*host);
        std::vector<float> tail(left.begin() + 4 * 2048, left.end());
        std::vector<float> tailRight = tail;
        runBlocks(*host, tail, tailRight);
        return rms(tail, 4 * 2048, tail.size()) / rms(input, 8 * 2048 - 2049, input.size() - 2049);
    };
    EXPECT_NEAR(wetGain([](EngineHost&) {}), 1.0, 0.02);
    // Both end points to the top: the whole band rises by the range.
    EXPECT_NEAR(wetGain(
                    [](EngineHost& host)
                    {
                        setParameter(host, eqPointYIndex(0), 1.0f);
                        setParameter(host, eqPointYIndex(1), 1.0f);
                    }),
                std::pow(10.0, range / 20.0), 0.1);
    // A third point at the bottom (count, then its X and Y; the end point moves up a slot).
    EXPECT_LT(wetGain(
                  [](EngineHost& host)
                  {
                      setParameter(host, eqPointXIndex(2), 1.0f);
                      setParameter(host, eqPointYIndex(2), 0.5f);
                      setParameter(host, eqPointXIndex(1), std::pow((1000.0f - 40.0f) / 20000.0f, 0.25f));
                      setParameter(host, eqPointYIndex(1), 0.0f);
                      setParameter(host, kParamEqNum, 3.0f / 16.0f);
                  }),
              std::pow(10.0, -range / 20.0) * 1.1);
}

TEST(SpectralChain, SilenceWithEveryFeatureActiveStaysSilentAndFreeOfDenormals)
{
    auto host = startedEngine();
    for (int index : {kParamStereoWidth, kParamPunch, kParamSizzle, kParamShape, kParamGain, kParamEqGain})
        setParameter(*host, index, 1.0f);
    std::vector<float> left(10 * 2048, 0.0f), right(10 * 2048, 0.0f);
    runBlocks(*host, left, right);
    for (std::size_t t = 0; t < left.size(); ++t)
    {
        ASSERT_LT(std::fabs(left[t]), 1e-15f) << t;
        ASSERT_NE(std::fpclassify(left[t]), FP_SUBNORMAL) << t;
        ASSERT_NE(std::fpclassify(right[t]), FP_SUBNORMAL) << t;
    }
    // Only the very first frame counts as an onset, with magnitudes at the silence floor.
    EXPECT_LT(host->meters().bassMeter.load(), 1e-6f);
    EXPECT_LT(host->meters().sizzleMeter.load(), 1e-6f);
}

TEST(SpectralChain, OnsetMetersRiseWithBassAndTrebleAttacks)
{
    auto host = startedEngine();
    std::vector<float> silence(6 * 2048, 0.0f), silenceRight(6 * 2048, 0.0f);
    runBlocks(*host, silence, silenceRight);
    EXPECT_LT(host->meters().bassMeter.load(), 1e-6f);
    EXPECT_LT(host->meters().sizzleMeter.load(), 1e-6f);

    StereoSignal drums = drumLoop(44100, 44100.0);
    runBlocks(*host, drums.left, drums.right);
    EXPECT_GT(host->meters().bassMeter.load(), 1e-3f);
    EXPECT_GT(host->meters().sizzleMeter.load(), 1e-3f);
}

TEST(SpectralChain, DisplaySpectrumPeaksAtTheToneOnTheFourthPowerAxis)
{
    auto host = startedEngine();
    host->setDisplayWanted(true);
    std::vector<float> left = sine(8 * 2048, 1000.0, 44100.0, 0.3f);
    std::vector<float> right = left;
    runBlocks(*host, left, right);
    const float* slot = host->displaySpectrum().takeLatest();
    const int peak = static_cast<int>(std::max_element(slot, slot + kSpectrumPoints) - slot);
    // 40 + 20000 (j/512)^4 = 1000 Hz at j = 239.7.
    EXPECT_NEAR(peak, 240, 3);
}

// The display costs nothing while no editor wants it, and never changes the sound.
TEST(SpectralChain, DisplaySpectrumIsOnlyFilledWhileWanted)
{
    const std::vector<float> tone = sine(8 * 2048, 1000.0, 44100.0, 0.3f);
    auto quiet = startedEngine();
    auto shown = startedEngine();
    shown->setDisplayWanted(true);
    std::vector<float> quietLeft = tone, quietRight = tone, shownLeft = tone, shownRight = tone;
    runBlocks(*quiet, quietLeft, quietRight);
    runBlocks(*shown, shownLeft, shownRight);
    EXPECT_EQ(quietLeft, shownLeft);
    EXPECT_EQ(quietRight, shownRight);
    EXPECT_FALSE(quiet->displaySpectrum().hasNews());
    const float* nothing = quiet->displaySpectrum().takeLatest();
    EXPECT_EQ(*std::max_element(nothing, nothing + kSpectrumPoints), 0.0f);

    // Closing the editor stops the updates; the last picture stays as it was.
    const float* taken = shown->displaySpectrum().takeLatest();
    const std::vector<float> lastShown(taken, taken + kSpectrumPoints);
    EXPECT_GT(*std::max_element(lastShown.begin(), lastShown.end()), 0.0f);
    shown->setDisplayWanted(false);
    std::vector<float> silence(4 * 2048, 0.0f), silenceRight = silence;
    runBlocks(*shown, silence, silenceRight);
    EXPECT_FALSE(shown->displaySpectrum().hasNews());
    const float* kept = shown->displaySpectrum().takeLatest();
    EXPECT_EQ(std::vector<float>(kept, kept + kSpectrumPoints), lastShown);
}

// The synthesis phase of a steady partial follows the input from frame to frame; an
// onset snaps it back to the input's own phase.
TEST(SpectralChain, SteadyPartialsKeepAContinuousPhaseAndOnsetsResetIt)
{
    EngineSettings settings;
    settings.width = 1.0f;
    settings.punch = 1.0f;
    settings.sizzle = 1.0f;
    settings.gain = 1.0f;
    EngineMeters meters;
    SpectrumHandOff spectrum;
    StereoImageHandOff stereoImage;
    StereoEngine engine(settings, meters, spectrum, stereoImage);
    ASSERT_TRUE(engine.Initialise(2048, 44100.0f));
    ProgramRecord program;
    initialiseDefaultProgram(program);
    engine.RebuildEqualiser(program, 12.0f);

    constexpr int kBin = 40;
    const double frequency = (kBin + 0.3) * 44100.0 / 2048.0;
    std::vector<float> tone = sine(12 * 1024, frequency, 44100.0, 0.3f);
    for (std::size_t i = 8 * 1024; i < tone.size(); ++i)
        tone[i] = 8.0f * tone[i];  // an attack
    float outLeft = 0.0f;
    float outRight = 0.0f;
    for (std::size_t i = 0; i < 8 * 1024; ++i)
        engine.ProcessSample(tone[i], tone[i], &outLeft, &outRight);
    ASSERT_GE(engine.transients().framesSinceOnset(kBin), 4);
    const std::complex<float> steadySynthesis = engine.synthesisPhase(0, kBin);
    EXPECT_NEAR(std::abs(steadySynthesis - engine.inputPhase(0, kBin)), 0.0f, 1e-3f);
    EXPECT_NEAR(std::abs(steadySynthesis), 1.0f, 1e-3f);

    for (std::size_t i = 8 * 1024; i < 9 * 1024; ++i)
        engine.ProcessSample(tone[i], tone[i], &outLeft, &outRight);
    ASSERT_EQ(engine.transients().framesSinceOnset(kBin), 0);
    EXPECT_EQ(engine.synthesisPhase(0, kBin), engine.inputPhase(0, kBin));
}
