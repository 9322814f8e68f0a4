// vantor-render with a plug-in that is not ours: LSP's stereo delay compensator from
// Debian's lsp-plugins-vst, a simple effect whose output is easy to predict.

#include "AudioFile.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

constexpr const char* kThirdPartyModule = "/usr/lib/vst/lsp-plugins/comp-delay-stereo.so";
// "samp" is the delay in samples, normalised over 0..10000.
constexpr float kDelaySetting = 0.01f;
constexpr std::size_t kDelaySamples = 100;
// Plain delays and unity gains: nothing but float rounding may differ.
constexpr float kExactTolerance = 1e-6f;

class ThirdPartyRender : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists(kThirdPartyModule))
            << kThirdPartyModule << " is missing: scripts/install-deps.sh installs Debian's lsp-plugins-vst";
    }

    AudioClip render(const std::string& name, const std::vector<std::string>& options)
    {
        std::vector<std::string> arguments = {demoInputPath(), workPath(name), "--plugin", kThirdPartyModule};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const CommandResult result = runRender(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_NE(result.err.find("stereo correlation"), std::string::npos) << result.err;
        return readAudioFile(workPath(name));
    }

    const AudioClip input = readAudioFile(demoInputPath());
};

TEST_F(ThirdPartyRender, ListShowsItsParameters)
{
    const CommandResult result = runRender({"--list", "--plugin", kThirdPartyModule});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find("  3  \"samp\""), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\"g_out\""), std::string::npos) << result.out;
}

TEST_F(ThirdPartyRender, DefaultSettingsPassTheInputThrough)
{
    const AudioClip output = render("lsp-default.wav", {"--align"});
    ASSERT_EQ(output.channels.size(), 2u);
    ASSERT_EQ(output.frames(), input.frames());
    EXPECT_LE(largestDifference(output, input, 0, 0), kExactTolerance);
}

TEST_F(ThirdPartyRender, ADelaySettingDelaysBothChannels)
{
    const AudioClip output = render("lsp-delayed.wav", {"--set", "samp=" + std::to_string(kDelaySetting)});
    ASSERT_EQ(output.frames(), input.frames());
    EXPECT_LE(largestDifference(output, input, kDelaySamples, 0), kExactTolerance);
    for (const std::vector<float>& channel : output.channels)
        EXPECT_EQ(largestMagnitude(AudioClip{44100, {{channel.begin(), channel.begin() + kDelaySamples}}}), 0.0f);
}

TEST_F(ThirdPartyRender, StateChunksRoundTrip)
{
    const std::string saved = workPath("lsp.chunk");
    render("lsp-chunk-save.wav", {"--set", "samp=" + std::to_string(kDelaySetting), "--save-chunk", saved});
    const AudioClip restored = render("lsp-chunk-load.wav", {"--chunk", saved});
    EXPECT_LE(largestDifference(restored, input, kDelaySamples, 0), kExactTolerance);
}

}  // namespace
