#include "HostEffect.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{

constexpr std::size_t kDisplayOffset = 1344;
constexpr std::size_t kNameOffset = 2692;

float floatAt(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    float value = 0.0f;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

float displayValue(const EffectInstance& instance, int index)
{
    return floatAt(instance.chunk(true), kDisplayOffset + 4 * index);
}

using HostParameters = HostEffect;

TEST_F(HostParameters, FreshInstanceHoldsTheDefaultProgram)
{
    EXPECT_FLOAT_EQ(instance.getParameter(0), 1.0f);
    EXPECT_FLOAT_EQ(instance.getParameter(1), 0.5f);
    EXPECT_FLOAT_EQ(instance.getParameter(6), 0.125f);
    EXPECT_EQ(instance.getParameter(39), 5.0f / 11.0f);
    EXPECT_EQ(instance.getParameter(39), 0.45454547f);
    EXPECT_EQ(instance.getParameter(42), 0.0f);
    EXPECT_EQ(instance.getParameter(-1), 0.0f);
    EXPECT_EQ(instance.text(effGetProgramName), "Default");
}

TEST_F(HostParameters, NamesAsTheHostSeesThem)
{
    EXPECT_EQ(instance.text(effGetParamName, 0), "Active");
    EXPECT_EQ(instance.text(effGetParamName, 1), "Stereo Width");
    EXPECT_EQ(instance.text(effGetParamName, 7), "Eq0_X");
    EXPECT_EQ(instance.text(effGetParamName, 38), "Eq15_Y");
    EXPECT_EQ(instance.text(effGetParamName, 39), "Eq.gain");
    EXPECT_EQ(instance.text(effGetParamName, 40), "Internal 0");
    EXPECT_EQ(instance.text(effGetParamName, 41), " ");

    char untouched[16] = "unchanged";
    instance.dispatch(effGetParamName, 42, 0, untouched);
    EXPECT_STREQ(untouched, "unchanged") << "out-of-range names are not written";
}

// A host prints the label after the value text ("6.3 dB", "50.00%", "0.5000 amount"): only a
// plain number has one, a text with its unit or a word has none.
TEST_F(HostParameters, LabelFollowsOnlyPlainNumbers)
{
    EXPECT_EQ(instance.text(effGetParamLabel, 0), "") << "Active reads on/off";
    EXPECT_EQ(instance.text(effGetParamLabel, 2), "amount") << "Punch reads as a plain number";
    for (int i = 0; i < 42; ++i)
    {
        const float original = instance.getParameter(i);
        for (float value : {0.0f, 0.3f, 0.5f, 1.0f})
        {
            instance.setParameter(i, value);
            const std::string text = instance.text(effGetParamDisplay, i);
            char* end = nullptr;
            std::strtod(text.c_str(), &end);
            const bool plainNumber = !text.empty() && *end == '\0';
            EXPECT_EQ(instance.text(effGetParamLabel, i), plainNumber ? "amount" : "")
                << "parameter " << i << " reads \"" << text << "\"";
        }
        instance.setParameter(i, original);
    }
}

TEST_F(HostParameters, ParameterDisplayReadsAsTheEditorsValueTexts)
{
    const struct
    {
        int index;
        float value;
        const char* text;
    } cases[] = {
        {5, 0.5f, "0 dB"},
        {5, 1.0f, "12.0 dB"},
        {5, 0.0f, "-inf."},
        {5, 0.0001f, "-148 dB"},
        {39, 5.0f / 11.0f, "12.0 dB"},
        {39, 0.0f, "2.0 dB"},
        {39, 1.0f, "24.0 dB"},
        {1, 0.5f, "50.00%"},
        {1, 1.0f, "100.00%"},
        {0, 1.0f, "on"},
        {0, 0.0f, "off"},
        {2, 0.5f, "0.0000"},
        {2, 0.0f, "-1.0000"},
        {4, 0.25f, "0.5000"},
        {3, 0.125f, "0.1250"},
        {6, 0.125f, "0.1250"},
        {40, 1e30f, "2.0000"},
        {1, 1e30f, "200.00%"},
        {1, -1e30f, "-100%"},
    };
    for (const auto& c : cases)
    {
        instance.setParameter(c.index, c.value);
        EXPECT_EQ(instance.text(effGetParamDisplay, c.index), c.text) << c.index << " at " << c.value;
    }
}

TEST_F(HostParameters, ParameterDisplayStaysWithinTheHostsEightBytes)
{
    for (int index = -1; index <= 42; ++index)
    {
        for (float value : {0.0f, 0.3f, 1.0f, -3.0e38f, 3.0e38f, 1e-30f})
        {
            instance.setParameter(index, value);
            char text[32];
            std::memset(text, 0x7f, sizeof(text));
            instance.dispatch(effGetParamDisplay, index, 0, text);
            EXPECT_NE(std::memchr(text, '\0', 8), nullptr) << "unterminated text for " << index;
            for (std::size_t i = 8; i < sizeof(text); ++i)
                ASSERT_EQ(text[i], 0x7f) << "wrote past 8 bytes for " << index << " at " << value;
        }
    }
    EXPECT_EQ(instance.text(effGetParamDisplay, 42), "");
}

TEST_F(HostParameters, SettingAValueStoresItsDisplayValue)
{
    instance.setParameter(1, 0.25f);
    EXPECT_EQ(instance.getParameter(1), 0.25f);
    EXPECT_FLOAT_EQ(displayValue(instance, 1), 25.0f);
    instance.setParameter(2, 0.25f);
    EXPECT_FLOAT_EQ(displayValue(instance, 2), -0.5f);
    instance.setParameter(5, 1.0f);
    EXPECT_FLOAT_EQ(displayValue(instance, 5), 4.0f);
    instance.setParameter(39, 1.0f);
    EXPECT_NEAR(displayValue(instance, 39), 15.8489f, 1e-3f);
    instance.setParameter(0, 0.99f);
    EXPECT_EQ(displayValue(instance, 0), 0.0f);
    instance.setParameter(4, 0.75f);
    EXPECT_FLOAT_EQ(displayValue(instance, 4), 1.5f);
    instance.setParameter(20, 0.3f);
    EXPECT_FLOAT_EQ(displayValue(instance, 20), 0.3f);
}

TEST_F(HostParameters, WritesOutsideTheTableAreIgnored)
{
    const auto before = instance.chunk(false);
    instance.setParameter(42, 0.7f);
    instance.setParameter(-3, 0.7f);
    instance.setParameter(100000, 0.7f);
    EXPECT_EQ(instance.chunk(false), before);
}

TEST_F(HostParameters, OnlyProgramZeroExists)
{
    instance.setParameter(1, 0.8f);
    instance.dispatch(effSetProgram, 0, 1);
    instance.dispatch(effSetProgram, 0, -1);
    EXPECT_EQ(instance.dispatch(effGetProgram), 0);
    EXPECT_FLOAT_EQ(instance.getParameter(1), 0.8f);

    char name[64] = "untouched";
    EXPECT_EQ(instance.dispatch(effGetProgramNameIndexed, 1, 0, name), 0);
    EXPECT_STREQ(name, "untouched");
    EXPECT_EQ(instance.dispatch(effGetProgramNameIndexed, 0, 0, name), 1);
    EXPECT_STREQ(name, "Default");
}

TEST_F(HostParameters, ProgramNamesReadBackAndAreCutAt31Characters)
{
    char shortName[] = "Wide Drums";
    instance.dispatch(effSetProgramName, 0, 0, shortName);
    EXPECT_EQ(instance.text(effGetProgramName), "Wide Drums");
    instance.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(instance.text(effGetProgramName), "Wide Drums");

    const std::string longName(40, 'n');
    std::vector<char> buffer(longName.begin(), longName.end());
    buffer.push_back('\0');
    instance.dispatch(effSetProgramName, 0, 0, buffer.data());
    EXPECT_EQ(instance.text(effGetProgramName), std::string(31, 'n'));
    EXPECT_EQ(instance.chunk(true)[kNameOffset + 31], 0);
}

TEST_F(HostParameters, ConcurrentWritersFromSeveralThreadsLeaveValidValues)
{
    std::vector<std::thread> writers;
    for (int t = 0; t < 3; ++t)
    {
        writers.emplace_back(
            [&, t]
            {
                for (int i = 0; i < 2000; ++i)
                    instance.setParameter((i + t) % 42, static_cast<float>((i * 7 + t) % 100) / 100.0f);
            });
    }
    for (auto& writer : writers)
        writer.join();
    for (int i = 0; i < 42; ++i)
    {
        const float value = instance.getParameter(i);
        EXPECT_TRUE(value >= 0.0f && value < 1.0f) << i;
    }
}

}  // namespace
