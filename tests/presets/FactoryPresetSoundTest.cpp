// The factory presets on the demo material through the VST 2.4 module, as their program
// files load: each keeps the level within 1 dB, each sounds unlike the default and unlike
// every other. Prints each one's level and stereo correlation, before and after.
#include "DemoSignal.h"
#include "host/PluginHost.h"
#include "support/FactoryPresetFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{

// At 44.1 kHz the processed signal arrives 2049 samples late (one frame and one sample).
constexpr std::size_t kProcessedDelay = 2049;
constexpr double kLevelTolerance = 1.0;  // dB
// Two renders sound different when what sets them apart is at least what a level change of
// 0.5 dB leaves (-24.6 dB of the signal), a change listeners hear in an A/B comparison.
const double kAudibleDifference = 20.0 * std::log10(std::pow(10.0, 0.5 / 20.0) - 1.0);  // dB

struct Rendered
{
    std::string name;
    std::vector<float> left;
    std::vector<float> right;
};

double rms(const std::vector<float>& left, const std::vector<float>& right)
{
    double sum = 0.0;
    for (std::size_t i = 0; i < left.size(); ++i)
        sum += double{left[i]} * left[i] + double{right[i]} * right[i];
    return std::sqrt(sum / (2.0 * static_cast<double>(left.size())));
}

double correlation(const std::vector<float>& left, const std::vector<float>& right)
{
    double cross = 0.0, leftEnergy = 0.0, rightEnergy = 0.0;
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        cross += double{left[i]} * right[i];
        leftEnergy += double{left[i]} * left[i];
        rightEnergy += double{right[i]} * right[i];
    }
    return cross / std::sqrt(leftEnergy * rightEnergy);
}

double decibels(double ratio)
{
    return 20.0 * std::log10(ratio);
}

const AudioClip& demo()
{
    static const AudioClip clip = makeDemoSignal();
    return clip;
}

// The demo through the module with the chunk loaded, lined up with the input.
Rendered render(const std::string& name, const std::vector<unsigned char>& chunk)
{
    EffectInstance vst;
    if (!chunk.empty())
    {
        EXPECT_NE(vst.restore(chunk, true), 0) << name;
    }
    std::vector<float> left = demo().channels[0];
    std::vector<float> right = demo().channels[1];
    left.resize(left.size() + kProcessedDelay, 0.0f);
    right.resize(right.size() + kProcessedDelay, 0.0f);
    vst.resumeAt(static_cast<float>(demo().sampleRate), 512);
    vst.process(left, right);
    left.erase(left.begin(), left.begin() + kProcessedDelay);
    right.erase(right.begin(), right.begin() + kProcessedDelay);
    return {name, std::move(left), std::move(right)};
}

std::vector<Rendered> renderedFactoryPresets()
{
    std::vector<Rendered> rendered;
    for (const auto& file : factoryPresetFiles())
        rendered.push_back(render(file.stem().string(), chunkOfFile(file)));
    return rendered;
}

double differenceInDecibels(const Rendered& a, const Rendered& b)
{
    std::vector<float> left(a.left.size()), right(a.right.size());
    for (std::size_t i = 0; i < left.size(); ++i)
    {
        left[i] = a.left[i] - b.left[i];
        right[i] = a.right[i] - b.right[i];
    }
    return decibels(rms(left, right) / rms(b.left, b.right));
}

class FactoryPresetSound : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        presets = new std::vector<Rendered>(renderedFactoryPresets());
        neutral = new Rendered(render("Default", {}));
    }
    static void TearDownTestSuite()
    {
        delete presets;
        delete neutral;
    }
    static std::vector<Rendered>* presets;
    static Rendered* neutral;
};

std::vector<Rendered>* FactoryPresetSound::presets = nullptr;
Rendered* FactoryPresetSound::neutral = nullptr;

}  // namespace

TEST_F(FactoryPresetSound, EachKeepsTheDemoWithin1dBOfItsLevel)
{
    ASSERT_GE(presets->size(), 12u);
    const double inputLevel = decibels(rms(demo().channels[0], demo().channels[1]));
    const double inputCorrelation = correlation(demo().channels[0], demo().channels[1]);
    for (const Rendered& preset : *presets)
    {
        const double level = decibels(rms(preset.left, preset.right));
        std::printf("%-28s level %6.1f -> %6.1f dBFS RMS (%+.2f dB), correlation %.2f -> %.2f\n", preset.name.c_str(),
                    inputLevel, level, level - inputLevel, inputCorrelation, correlation(preset.left, preset.right));
        EXPECT_NEAR(level, inputLevel, kLevelTolerance) << preset.name;
    }
}

TEST_F(FactoryPresetSound, EachSoundsUnlikeTheDefaultAndUnlikeEveryOther)
{
    ASSERT_GE(presets->size(), 12u);
    for (std::size_t a = 0; a < presets->size(); ++a)
    {
        const Rendered& preset = (*presets)[a];
        EXPECT_GE(differenceInDecibels(preset, *neutral), kAudibleDifference) << preset.name << " against the default";
        for (std::size_t b = a + 1; b < presets->size(); ++b)
            EXPECT_GE(differenceInDecibels(preset, (*presets)[b]), kAudibleDifference)
                << preset.name << " against " << (*presets)[b].name;
    }
}
