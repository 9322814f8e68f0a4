// The stereo image from the engine's audio thread to the editor's side of the hand-off.

#include "EngineTestSupport.h"
#include "editor/EditorModel.h"
#include "engine/StereoImageMeter.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

constexpr float kRate = 44100.0f;
// Longer than the publishing interval, so every block ends with a publication.
constexpr std::size_t kBlock = 441;

// What the editor reads is what the analysis computed: the same fields, the same points.
void expectSameReading(const StereoImageReading& shown, const StereoImageReading& computed)
{
    EXPECT_EQ(shown.correlationFast, computed.correlationFast);
    EXPECT_EQ(shown.correlationSlow, computed.correlationSlow);
    EXPECT_EQ(shown.balance, computed.balance);
    EXPECT_EQ(shown.levelDb, computed.levelDb);
    ASSERT_EQ(shown.pointCount, computed.pointCount);
    for (int i = 0; i < shown.pointCount; ++i)
    {
        ASSERT_EQ(shown.points[i].side, computed.points[i].side) << i;
        ASSERT_EQ(shown.points[i].mid, computed.points[i].mid) << i;
    }
}

// Runs the engine in place in kBlock blocks, feeding `inputMeter` and `outputMeter` the
// same blocks before and after.
void runMeasured(EngineHost& host, StereoSignal& signal, StereoImageMeter& inputMeter, StereoImageMeter& outputMeter)
{
    for (std::size_t start = 0; start + kBlock <= signal.left.size(); start += kBlock)
    {
        float* channels[2] = {signal.left.data() + start, signal.right.data() + start};
        inputMeter.analyse(channels[0], channels[1], kBlock);
        host.processBlock(channels, channels, 2, kBlock);
        outputMeter.analyse(channels[0], channels[1], kBlock);
    }
}

}  // namespace

TEST(StereoImageHandOff, TheEditorReadsWhatTheAnalysisComputedForInputAndOutput)
{
    auto host = startedEngine(kRate);
    setParameter(*host, kParamStereoWidth, 1.0f);
    host->setDisplayWanted(true);
    StereoSignal signal = stereoNoise(100 * kBlock, 0.3f);
    const std::vector<float> tone = sine(signal.left.size(), 440.0, kRate, 0.4f);
    for (std::size_t i = 0; i < tone.size(); ++i)
        signal.right[i] += tone[i];
    auto inputMeter = std::make_unique<StereoImageMeter>();
    auto outputMeter = std::make_unique<StereoImageMeter>();
    ASSERT_TRUE(inputMeter->prepare(kRate));
    ASSERT_TRUE(outputMeter->prepare(kRate));
    runMeasured(*host, signal, *inputMeter, *outputMeter);

    ASSERT_TRUE(host->displayStereoImage().hasNews());
    const StereoImageSnapshot& shown = host->displayStereoImage().takeLatest();
    EXPECT_FALSE(host->displayStereoImage().hasNews());
    auto computed = std::make_unique<StereoImageSnapshot>();
    inputMeter->read(computed->input);
    outputMeter->read(computed->output);
    expectSameReading(shown.input, computed->input);
    expectSameReading(shown.output, computed->output);
    // Widening changed the image, so input and output are told apart.
    EXPECT_NE(shown.input.correlationFast, shown.output.correlationFast);
}

// Nothing is measured while no editor wants it, and an editor opened again starts from what
// it hears now, not from what the last one heard.
TEST(StereoImageHandOff, MeasuredOnlyForAnOpenEditorAndAfreshForEachOpening)
{
    auto host = startedEngine(kRate);
    const std::vector<float> tone = sine(4 * 44100, 440.0, kRate, 0.4f);
    std::vector<float> opposite(tone.size());
    for (std::size_t i = 0; i < tone.size(); ++i)
        opposite[i] = -tone[i];
    std::vector<float> left = tone, right = opposite;
    runBlocks(*host, left, right);
    EXPECT_FALSE(host->displayStereoImage().hasNews());

    left = tone;
    right = opposite;
    host->setDisplayWanted(true);
    runBlocks(*host, left, right);
    ASSERT_LT(host->displayStereoImage().takeLatest().input.correlationSlow, -0.9f);

    host->setDisplayWanted(false);
    host->setDisplayWanted(true);
    std::vector<float> monoLeft(tone.begin(), tone.begin() + 4410), monoRight = monoLeft;
    runBlocks(*host, monoLeft, monoRight);
    const StereoImageReading& input = host->displayStereoImage().takeLatest().input;
    EXPECT_NEAR(input.correlationSlow, 1.0f, 1e-5f);
    // A tenth of a second's points at most: none of the opposite phase heard before.
    EXPECT_LE(input.pointCount, kScopePointCapacity / 3);
}

// What the engine published as the editor last closed is no image for its next opening: the
// Scope would show it, and hold its correlation, as if heard now.
TEST(StereoImageHandOff, TheEditorsModelShowsNothingHeardBeforeItsOpening)
{
    auto host = startedEngine(kRate);
    EditorModel model(&host->liveDisplays());
    host->setDisplayWanted(true);
    StereoSignal signal = stereoNoise(20 * kBlock, 0.3f);
    runBlocks(*host, signal.left, signal.right);
    model.takeLiveData();
    ASSERT_NE(model.stereoImage(), nullptr);

    // Published as the editor closes, taken when it opens again.
    signal = stereoNoise(2 * kBlock, 0.3f);
    runBlocks(*host, signal.left, signal.right);
    host->setDisplayWanted(false);
    host->setDisplayWanted(true);
    EXPECT_EQ(model.stereoImage(), nullptr) << "the image the model took while the editor was last open";
    model.takeLiveData();
    EXPECT_EQ(model.stereoImage(), nullptr) << "the image published as the editor closed";

    const std::uint32_t taken = model.stereoImagesTaken();
    runBlocks(*host, signal.left, signal.right);
    model.takeLiveData();
    ASSERT_NE(model.stereoImage(), nullptr);
    EXPECT_EQ(model.stereoImagesTaken(), taken + 1);
    EXPECT_GT(model.stereoImage()->output.pointCount, 0);
}
