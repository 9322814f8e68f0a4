// The audio thread never allocates or locks in any format's module: while the host hands it
// blocks with changes that make it fade, reshape and rebuild the equaliser curve, the heap
// calls and mutex locks the plug-in's own calls make are counted (support/AudioThreadWatch.h).
#include "FormatRows.h"
#include "support/AudioThreadWatch.h"

namespace
{

constexpr std::size_t kBlock = 64;
constexpr std::size_t kBlocks = 700;

using FormatAudioThread = FormatCase;

}  // namespace

TEST_P(FormatAudioThread, ProcessingWithChangesNeitherAllocatesNorLocks)
{
    watchedHeapCalls = 0;
    watchedLockCalls = 0;
    ASSERT_TRUE(watchSeesAProbe()) << "the counters see what they are there to see";
    const auto at = [&](std::uint32_t offset) { return GetParam().sampleAccurateChanges ? offset : 0u; };
    std::vector<BlockChange> changes;
    for (std::size_t block = 0; block < kBlocks; block += 50)
    {
        // Eq.gain, Internal 0, a curve point, Active, Punch, Stereo Width.
        const float active = (block / 50) % 2 == 0 ? 0.0f : 1.0f;
        changes.insert(changes.end(), {{block, at(3), 39, static_cast<float>(block % 7) / 7.0f},
                                       {block, at(9), 40, 1.0f},
                                       {block, at(17), 10, static_cast<float>(block % 3) / 3.0f},
                                       {block, at(30), 0, active},
                                       {block, at(41), 2, 1.0f},
                                       {block, at(63), 1, 1.0f}});
    }
    auto module = made(48000.0);
    ASSERT_NE(module, nullptr);
    module->start(kBlock);
    StereoSignal signal = stereoNoise(kBlock * kBlocks, 0.4f);
    module->onPluginCalls = [](bool follow) { watchingThisThread = follow; };
    module->process(signal, kBlock, changes);
    watchingThisThread = false;
    EXPECT_EQ(watchedHeapCalls.load(), 0);
    EXPECT_EQ(watchedLockCalls.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatAudioThread, ::testing::ValuesIn(formatRows()), rowName);
