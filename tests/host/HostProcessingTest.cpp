#include "HostEffect.h"
#include "support/TestSignals.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{

constexpr int kFrame = 2048;
constexpr int kEqNum = 6;
constexpr int kEqGain = 39;
constexpr int eqPointX(int point)
{
    return 7 + 2 * point;
}
constexpr int eqPointY(int point)
{
    return 8 + 2 * point;
}

class HostProcessing : public HostEffect
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(HostEffect::SetUp());
        instance.resumeAt(44100.0f);
    }
};

// One frame and a sample below 64 kHz, two frames and a sample from it, back again after.
TEST_F(HostProcessing, LatencyFollowsTheSampleRate)
{
    EXPECT_EQ(instance.effect()->initialDelay, 2049);
    for (const auto& [rate, delay] : {std::pair{48000.0f, 2049},
                                      {63999.0f, 2049},
                                      {22050.0f, 2049},
                                      {64000.0f, 4097},
                                      {96000.0f, 4097},
                                      {192000.0f, 4097},
                                      {44100.0f, 2049}})
    {
        instance.resumeAt(rate);
        EXPECT_EQ(instance.effect()->initialDelay, delay) << rate;
    }
}

TEST_F(HostProcessing, BypassFadesToTheDryInputDelayedByExactlyOneFrame)
{
    instance.setParameter(0, 0.0f);
    const StereoSignal input = stereoNoise(16000, 0.5f);
    StereoSignal output = input;
    instance.process(output.left, output.right);
    // The fade takes 10000 samples at 44.1 kHz; after it the output is the dry signal.
    for (std::size_t t = 10100; t < input.left.size(); ++t)
    {
        ASSERT_EQ(output.left[t], input.left[t - kFrame]) << t;
        ASSERT_EQ(output.right[t], input.right[t - kFrame]) << t;
    }
}

TEST_F(HostProcessing, ZeroWidthNarrowsToMono)
{
    instance.setParameter(1, 0.0f);
    StereoSignal signal = stereoNoise(4 * kFrame, 0.4f);
    instance.process(signal.left, signal.right);
    for (std::size_t t = 2 * kFrame + 2; t < signal.left.size(); ++t)
        ASSERT_FLOAT_EQ(signal.left[t], signal.right[t]) << t;
}

TEST_F(HostProcessing, OddBlocksZeroFramesAndOversizedBlocksAreHandled)
{
    instance.dispatch(effSetBlockSize, 0, 64);
    std::vector<float> left(8192, 0.25f), right(8192, -0.25f);
    float* channels[2] = {left.data(), right.data()};
    AEffect* effect = instance.effect();
    effect->processReplacing(effect, channels, channels, 0);
    effect->processReplacing(effect, channels, channels, 8192);
    effect->processReplacing(effect, channels, channels, 3);
    for (float sample : left)
        ASSERT_TRUE(std::isfinite(sample));
}

TEST_F(HostProcessing, NonStereoArrangementStopsProcessingUntilStereoReturns)
{
    VstSpeakerArrangement mono{};
    mono.numChannels = 1;
    VstSpeakerArrangement stereo{};
    stereo.numChannels = 2;
    HostRecorder::instance().clear();
    EXPECT_EQ(instance.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &stereo), 1);
    EXPECT_EQ(HostRecorder::instance().callsFor(instance.effect(), audioMasterIOChanged).size(), 1u);
    EXPECT_EQ(instance.effect()->numInputs, 1);
    EXPECT_EQ(instance.effect()->numOutputs, 2);

    std::vector<float> inLeft(512, 0.5f), inRight(512, 0.5f), outLeft(512, 7.0f), outRight(512, 7.0f);
    float* inputs[2] = {inLeft.data(), inRight.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    AEffect* effect = instance.effect();
    effect->processReplacing(effect, inputs, outputs, 512);
    EXPECT_TRUE(std::all_of(outLeft.begin(), outLeft.end(), [](float s) { return s == 7.0f; }));

    EXPECT_EQ(instance.dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&stereo), &stereo), 1);
    EXPECT_EQ(instance.effect()->numInputs, 2);
    effect->processReplacing(effect, inputs, outputs, 512);
    EXPECT_FALSE(std::all_of(outLeft.begin(), outLeft.end(), [](float s) { return s == 7.0f; }));

    EXPECT_EQ(instance.dispatch(effSetSpeakerArrangement, 0, 0, &stereo), 0) << "a missing arrangement is refused";
    VstSpeakerArrangement* left = &stereo;
    VstSpeakerArrangement* right = &stereo;
    instance.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&left), &right);
    EXPECT_EQ(left, nullptr);
    EXPECT_EQ(right, nullptr);
}

TEST_F(HostProcessing, TwoInstancesInOneProcessAreIndependent)
{
    EffectInstance other;
    other.resumeAt(96000.0f);
    instance.resumeAt(44100.0f);
    EXPECT_EQ(other.effect()->initialDelay, 4097);
    EXPECT_EQ(instance.effect()->initialDelay, 2049);

    other.setParameter(1, 0.0f);
    StereoSignal mine = stereoNoise(4 * kFrame, 0.4f);
    StereoSignal theirs = mine;
    const StereoSignal input = mine;
    instance.process(mine.left, mine.right);
    other.process(theirs.left, theirs.right);
    EXPECT_FLOAT_EQ(instance.getParameter(1), 0.5f);
    for (std::size_t t = 2 * kFrame; t < input.left.size(); ++t)
        ASSERT_NEAR(mine.left[t], input.left[t - kFrame - 1], kNeutralRipple) << t;
}

// A host playing back automation of the curve points (never the editor's rebuild trigger)
// must be heard: here a third point at 1 kHz, 0.25 above the centre line.
TEST_F(HostProcessing, AutomatedEqualiserPointsAloneChangeTheSound)
{
    const auto band = [&](const StereoSignal& output)
    { return bandPower(output.left, 6 * kFrame, 14 * kFrame, 44100.0, 900.0, 1100.0); };
    StereoSignal before = stereoNoise(14 * kFrame, 0.2f);
    instance.process(before.left, before.right);

    const float thousandHz = std::pow((1000.0f - 40.0f) / 20000.0f, 0.25f);
    instance.setParameter(eqPointX(2), instance.getParameter(eqPointX(1)));
    instance.setParameter(eqPointY(2), instance.getParameter(eqPointY(1)));
    instance.setParameter(eqPointX(1), thousandHz);
    instance.setParameter(eqPointY(1), 0.75f);
    instance.setParameter(kEqNum, 3.0f / 16.0f);
    StereoSignal after = stereoNoise(14 * kFrame, 0.2f);
    instance.process(after.left, after.right);

    // Eq.gain at its default: a range of 12 dB; the curve's gain there is 10^(0.25 * 12 / 10).
    const double range = 22.0 * instance.getParameter(kEqGain) + 2.0;
    const double curveGain = std::pow(10.0, 0.25 * range / 10.0);
    EXPECT_NEAR(band(after) / band(before), curveGain * curveGain, 0.15 * curveGain * curveGain);
}

}  // namespace
