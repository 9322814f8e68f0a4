// State through lilv as LV2 hosts keep it: saved into a folder and restored into a fresh
// instance, the effect is the same program chunk and the same sound, with the ports the host
// restores agreeing with it; a program under another key or type is not taken.
#include "Lv2TestHost.h"
#include "host/PluginHost.h"

#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/state/state.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace
{

constexpr double kRate = 44100.0;
constexpr std::size_t kBlock = 512;

// Values in every kind of parameter; some below 0.125, where a value written with eight
// decimals does not read back as the same float.
constexpr std::pair<std::uint32_t, float> kSetting[] = {
    {1, 0.83f},  {2, 0.71f},  {3, 0.0123f},  {5, 0.45f}, {6, 0.3125f}, {11, 0.0517f},
    {12, 0.93f}, {13, 0.61f}, {14, 0.0271f}, {15, 0.8f}, {16, 0.4f},   {39, 0.9f},
};

// The setting on the ports, taken by a run.
void applySetting(Lv2Instance& plugin)
{
    for (const auto& [port, value] : kSetting)
        plugin.setValue(port, value);
    StereoSignal silence{std::vector<float>(kBlock), std::vector<float>(kBlock)};
    plugin.render(silence, {kBlock});
}

StereoSignal material()
{
    return stereoNoise(static_cast<std::size_t>(kRate * 2), 0.4f);
}

std::filesystem::path scratchFolder(const char* name)
{
    const char* temporary = std::getenv("TMPDIR");
    const std::filesystem::path folder = std::filesystem::path(temporary != nullptr ? temporary : "/tmp") / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

// An instance given the setting, and the program chunk it saves then.
class Lv2State : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(original.created());
        applySetting(original);
        chunk = original.savedChunk();
        ASSERT_EQ(chunk.size(), 2724u);
    }

    Lv2BundleWorld& world = lv2Bundle();
    Lv2Instance original{kRate};
    std::vector<unsigned char> chunk;
};

}  // namespace

TEST_F(Lv2State, SavedToAFolderAndRestoredIntoAFreshInstanceItIsTheSameProgramAndSound)
{
    const std::filesystem::path folder = scratchFolder("lv2-state");
    LilvState* saved = original.state();
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(lilv_state_save(world.world(), world.urids().mapFeature(), world.urids().unmapFeature(), saved, nullptr,
                              folder.c_str(), "state.ttl"),
              0);
    lilv_state_free(saved);
    LilvState* loaded =
        lilv_state_new_from_file(world.world(), world.urids().mapFeature(), nullptr, (folder / "state.ttl").c_str());
    ASSERT_NE(loaded, nullptr);

    Lv2Instance restored(kRate);
    ASSERT_TRUE(restored.created());
    restored.restore(loaded);
    lilv_state_free(loaded);
    // The ports came back too, as text: after the runs that read them the program is still
    // exactly the one saved, EQ points and all, and sounds as the VST 2.4 module given it.
    StereoSignal fromState = material();
    restored.render(fromState, {kBlock});
    EXPECT_EQ(restored.savedChunk(), chunk);
    StereoSignal fromVst = material();
    EffectInstance vst;
    ASSERT_NE(vst.restore(chunk, true), 0);
    vst.resumeAt(static_cast<float>(kRate), kBlock);
    vst.process(fromVst.left, fromVst.right);
    EXPECT_TRUE(sameBits(fromState, fromVst));
    EXPECT_FALSE(sameBits(fromState.left, material().left));

    // A port the host moves after the restore still takes effect.
    restored.setValue(1, 0.2f);
    StereoSignal more = material();
    restored.render(more, {kBlock});
    const std::vector<unsigned char> moved = restored.savedChunk();
    float width = 0.0f;
    std::memcpy(&width, moved.data() + sizeof(float), sizeof(width));
    EXPECT_EQ(width, 0.2f);
}

// Sessions and presets saved while the ports carried normalised values restore those beside
// the state: the state's setting stays, as it sounded then.
TEST_F(Lv2State, PortsRestoredAsTheEarlierNormalisedValuesKeepTheStatesSetting)
{
    Lv2Instance restored(kRate);
    ASSERT_TRUE(restored.created());
    ASSERT_EQ(restoreOffered(restored, {world.urids().map(kLv2ProgramKey), world.urids().map(LV2_ATOM__Chunk), chunk}),
              LV2_STATE_SUCCESS);
    for (const auto& [port, value] : kSetting)
        restored.control(port) = value;
    StereoSignal silence{std::vector<float>(kBlock), std::vector<float>(kBlock)};
    restored.render(silence, {kBlock});
    EXPECT_EQ(restored.savedChunk(), chunk);
}

// Refusing anything but one whole chunk, every format's suite checks (tests/formats); LV2
// also names the property and its type, and another's is not ours.
TEST_F(Lv2State, AProgramUnderAnotherTypeOrKeyIsRefusedWithNothingChanged)
{
    Lv2Instance& plugin = original;
    const LV2_URID key = world.urids().map(kLv2ProgramKey);
    const LV2_URID chunkType = world.urids().map(LV2_ATOM__Chunk);
    // Another program, as the VST 2.4 module saves it: under another type or another key it
    // is not ours; as our property it is taken, exactly.
    EffectInstance vst;
    vst.setParameter(1, 0.3f);
    vst.setParameter(12, 0.1f);
    const std::vector<unsigned char> other = vst.chunk(true);
    ASSERT_NE(other, chunk);
    EXPECT_EQ(restoreOffered(plugin, {key, world.urids().map(LV2_ATOM__String), other}), LV2_STATE_ERR_BAD_TYPE);
    EXPECT_EQ(restoreOffered(plugin, {world.urids().map("urn:another#program"), chunkType, other}),
              LV2_STATE_ERR_NO_PROPERTY);
    EXPECT_EQ(plugin.savedChunk(), chunk);
    EXPECT_EQ(restoreOffered(plugin, {key, chunkType, other}), LV2_STATE_SUCCESS);
    EXPECT_EQ(plugin.savedChunk(), other);
    // Ports the host left alone (still at the earlier setting) do not undo it.
    StereoSignal block = material();
    plugin.render(block, {kBlock});
    EXPECT_EQ(plugin.savedChunk(), other);
}

// A host that offers no features at all still runs it, with the same sound, but there is no
// state to save or restore without urid:map, and asking changes nothing.
TEST_F(Lv2State, WithoutUridMapItSoundsTheSameButHasNoStateToSaveOrRestore)
{
    Lv2Instance bare(kRate, Lv2HostFeatures::None);
    ASSERT_TRUE(bare.created());
    applySetting(bare);
    Lv2Instance& mapped = original;

    std::vector<unsigned char> saved;
    EXPECT_EQ(bare.saveChunk(saved), LV2_STATE_ERR_NO_FEATURE);
    EXPECT_TRUE(saved.empty());
    EffectInstance vst;
    vst.setParameter(1, 0.3f);
    const OfferedProperty other{world.urids().map(kLv2ProgramKey), world.urids().map(LV2_ATOM__Chunk), vst.chunk(true)};
    EXPECT_EQ(restoreOffered(bare, other), LV2_STATE_ERR_NO_FEATURE);

    StereoSignal fromBare = material();
    bare.render(fromBare, {kBlock});
    StereoSignal fromMapped = material();
    mapped.render(fromMapped, {kBlock});
    EXPECT_TRUE(sameBits(fromBare, fromMapped));
    EXPECT_FALSE(sameBits(fromBare.left, material().left));
    EXPECT_EQ(bare.reportedLatency(), mapped.reportedLatency());
}
