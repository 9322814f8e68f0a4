// A host's text for a value read back into the value: what a CLAP host's text entry relies on.
#include "params/ParameterTable.h"
#include "params/ValueText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace
{

std::string hostText(int index, float value)
{
    char text[64] = {};
    formatParameterValue(index, value, text, sizeof(text));
    return text;
}

std::optional<float> read(int index, const char* text)
{
    float value = -7.0f;
    if (!parseParameterValue(index, text, value))
        return std::nullopt;
    return value;
}

}  // namespace

TEST(ValueTextReading, EveryParametersOwnTextReadsBackToTheSameText)
{
    for (int index = 0; index < kNumParameters; ++index)
    {
        for (float value : {0.0f, 0.013f, 0.25f, 0.5f, 0.77f, 1.0f})
        {
            const std::string text = hostText(index, value);
            const std::optional<float> parsed = read(index, text.c_str());
            ASSERT_TRUE(parsed) << "parameter " << index << " text '" << text << "'";
            EXPECT_EQ(hostText(index, *parsed), text) << "parameter " << index << " value " << value;
        }
    }
}

TEST(ValueTextReading, UnitsAndWordsAreOptionalAndCaseBlind)
{
    EXPECT_FLOAT_EQ(read(kParamStereoWidth, "80%").value(), 0.8f);
    EXPECT_FLOAT_EQ(read(kParamStereoWidth, " 80 ").value(), 0.8f);
    EXPECT_FLOAT_EQ(read(kParamGain, "0 dB").value(), 0.5f);
    EXPECT_FLOAT_EQ(read(kParamGain, "0db").value(), 0.5f);
    EXPECT_FLOAT_EQ(read(kParamGain, "-inf.").value(), 0.0f);
    EXPECT_FLOAT_EQ(read(kParamPunch, "0.5 Amount").value(), 0.75f);
    EXPECT_FLOAT_EQ(read(kParamShape, "1").value(), 0.5f);
    EXPECT_EQ(read(kParamActive, "ON").value(), 1.0f);
    EXPECT_EQ(read(kParamActive, "off").value(), 0.0f);
}

TEST(ValueTextReading, ValuesPastTheRangeMeanItsEnds)
{
    EXPECT_EQ(read(kParamStereoWidth, "250%").value(), 1.0f);
    EXPECT_EQ(read(kParamPunch, "-3").value(), 0.0f);
    EXPECT_EQ(read(kParamGain, "+40 dB").value(), 1.0f);
}

TEST(ValueTextReading, TextsThatNameNoValueAreRefused)
{
    for (const char* text : {"", "  ", "wide", "80 dB", "12%%", "inf", "nan", "on please"})
        EXPECT_FALSE(read(kParamStereoWidth, text)) << "'" << text << "'";
    EXPECT_FALSE(read(kParamGain, "loud"));
    EXPECT_FALSE(read(kParamGain, "3 %"));
    EXPECT_FALSE(read(kParamActive, "maybe"));
    EXPECT_FALSE(read(kNumParameters, "0.5"));
    EXPECT_FALSE(read(-1, "0.5"));
    float untouched = 0.25f;
    EXPECT_FALSE(parseParameterValue(kParamSizzle, nullptr, untouched));
    EXPECT_EQ(untouched, 0.25f);
}
