// State as every format's hosts keep it: exactly the VST 2.4 program chunk, so a setting
// travels between the formats and sounds the same in each; nothing but one whole chunk is
// ever taken.
#include "FormatRows.h"
#include "host/PluginHost.h"
#include "support/RefusedStates.h"

#include <algorithm>

namespace
{

constexpr std::size_t kBlock = 512;

// Values in every kind of parameter: Width, Punch, Sizzle, Gain, the equaliser's point
// count, a point and its range.
const std::vector<ModuleUnderTest::Setting> kSetting = {{1, 0.85f}, {2, 0.7f},  {3, 0.4f}, {5, 0.62f},
                                                        {6, 0.3125f}, {12, 0.3f}, {39, 0.8f}};

void applyToVst(const EffectInstance& vst)
{
    for (const ModuleUnderTest::Setting& setting : kSetting)
        vst.setParameter(static_cast<VstInt32>(setting.id), setting.value);
}

std::vector<unsigned char> vstChunkOfTheSetting()
{
    EffectInstance vst;
    applyToVst(vst);
    return vst.chunk(true);
}

using FormatState = FormatCase;

}  // namespace

TEST_P(FormatState, SavesExactlyTheVstProgramChunk)
{
    if (GetParam().isTheReference)
        GTEST_SKIP() << "the VST 2.4 module is what this compares with";
    const std::vector<unsigned char> chunk = vstChunkOfTheSetting();
    ASSERT_EQ(chunk.size(), 2724u);
    auto module = made();
    ASSERT_NE(module, nullptr);
    module->setValues(kSetting);
    EXPECT_EQ(module->saveState(), chunk);
}

TEST_P(FormatState, AVstChunkLoadedAsStateGivesTheSameValuesAndSound)
{
    const std::vector<unsigned char> chunk = vstChunkOfTheSetting();
    auto module = made();
    ASSERT_NE(module, nullptr);
    ASSERT_TRUE(module->loadState(chunk));
    for (const ModuleUnderTest::Setting& setting : kSetting)
        EXPECT_EQ(module->value(setting.id), static_cast<double>(setting.value)) << setting.id;
    EXPECT_EQ(module->saveState(), chunk);

    EffectInstance vst;
    applyToVst(vst);
    StereoSignal fromVst = stereoNoise(3 * 44100, 0.3f);
    StereoSignal fromState = fromVst;
    vst.resumeAt(44100.0f, kBlock);
    vst.process(fromVst.left, fromVst.right);
    module->start(kBlock);
    module->process(fromState, kBlock, {});
    EXPECT_TRUE(sameBits(fromState, fromVst));
}

TEST_P(FormatState, AnythingButOneWholeChunkIsRefusedWithNothingChanged)
{
    const std::vector<unsigned char> chunk = vstChunkOfTheSetting();
    auto module = made();
    ASSERT_NE(module, nullptr);
    const auto before = module->saveState();
    ASSERT_TRUE(before);
    ASSERT_NE(*before, chunk);

    std::vector<std::vector<unsigned char>> refused = statesToRefuse(chunk, EffectInstance().chunk(false), 7);
    // What VST 2.4 makes of its older form, HostChunkTest holds.
    if (GetParam().takesOlderProgramForm)
        refused.erase(std::remove_if(refused.begin(), refused.end(),
                                     [](const std::vector<unsigned char>& bytes) { return bytes.size() == 364; }),
                      refused.end());
    for (const auto& bytes : refused)
    {
        EXPECT_FALSE(module->loadState(bytes)) << bytes.size() << " bytes";
        EXPECT_EQ(module->saveState(), before) << bytes.size() << " bytes";
    }
    // And a whole chunk after all that is taken, exactly.
    EXPECT_TRUE(module->loadState(chunk));
    EXPECT_EQ(module->saveState(), chunk);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatState, ::testing::ValuesIn(formatRows()), rowName);
