// Values in the user's units, as LV2 ports carry them: exact both ways, and the same steps
// and units as the texts hosts read.
#include "params/PlainValues.h"
#include "params/ValueText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace
{

std::string steppedText(int index, float value)
{
    char text[64] = {};
    formatSteppedParameterValue(index, value, text, sizeof(text));
    return text;
}

// Normalised values across the whole range: a fine grid, the ends, the steps and random ones.
std::vector<float> normalisedSamples(const ParameterDescriptor& parameter)
{
    std::vector<float> values;
    for (int i = 0; i <= 4096; ++i)
        values.push_back(static_cast<float>(i) / 4096.0f);
    for (int step = 0; step <= parameter.stepCount; ++step)
        values.push_back(parameter.stepCount > 0 ? static_cast<float>(step) / static_cast<float>(parameter.stepCount)
                                                 : 0.0f);
    std::mt19937 random(static_cast<unsigned>(parameter.index));
    std::uniform_real_distribution<float> anywhere(0.0f, 1.0f);
    for (int i = 0; i < 4000; ++i)
        values.push_back(anywhere(random));
    values.push_back(std::nextafter(1.0f, 0.0f));
    values.push_back(1e-30f);
    return values;
}

}  // namespace

TEST(PlainValues, APlainValueAHostWritesReadsBackTheSame)
{
    for (const ParameterDescriptor& parameter : kParameterTable)
    {
        const int index = parameter.index;
        const PlainRange range = plainRangeOf(index);
        EXPECT_EQ(plainValueFor(index, 0.0f), range.minimum) << parameter.name;
        EXPECT_EQ(plainValueFor(index, 1.0f), range.maximum) << parameter.name;
        for (float value : normalisedSamples(parameter))
        {
            const float plain = plainValueFor(index, value);
            ASSERT_EQ(plainValueFor(index, normalisedValueForPlain(index, plain)), plain)
                << parameter.name << " at " << value;
        }
        // Any value in the range, as a host's slider or typed entry gives it: no neighbouring
        // normalised value reads nearer.
        for (int i = 0; i <= 1000; ++i)
        {
            const float plain = range.minimum + (range.maximum - range.minimum) * static_cast<float>(i) / 1000.0f;
            const float value = normalisedValueForPlain(index, plain);
            const float distance = std::fabs(plainValueFor(index, value) - plain);
            for (float neighbour : {std::nextafter(value, -1.0f), std::nextafter(value, 2.0f)})
                EXPECT_LE(distance, std::fabs(plainValueFor(index, neighbour) - plain))
                    << parameter.name << " at " << plain;
        }
        EXPECT_EQ(normalisedValueForPlain(index, range.minimum - 1000.0f),
                  normalisedValueForPlain(index, range.minimum));
        EXPECT_EQ(normalisedValueForPlain(index, range.maximum + 1000.0f), 1.0f) << parameter.name;
    }
}

TEST(PlainValues, UnitsStepsAndTextsAgreeWithTheRecord)
{
    EXPECT_STREQ(plainUnitOf(kParamStereoWidth), "%");
    EXPECT_STREQ(plainUnitOf(kParamPunch), "%");
    EXPECT_STREQ(plainUnitOf(kParamEqGain), "dB");
    EXPECT_EQ(plainValueFor(kParamGain, 0.5f), 0.0f);
    EXPECT_NEAR(plainValueFor(kParamGain, 0.25f), -12.0412f, 1e-4f);
    EXPECT_EQ(normalisedValueForPlain(kParamGain, kGainFloorDecibels), 0.0f);
    EXPECT_EQ(plainValueFor(kParamEqGain, kParameterTable[kParamEqGain].defaultValue), 12.0f);
    for (int count = 0; count <= kMaxEqPoints; ++count)
    {
        const float value = static_cast<float>(count) / kMaxEqPoints;
        EXPECT_EQ(plainValueFor(kParamEqNum, value), static_cast<float>(count));
        EXPECT_EQ(normalisedValueForPlain(kParamEqNum, static_cast<float>(count)), value);
        EXPECT_EQ(steppedText(kParamEqNum, value), std::to_string(count));
    }
    for (const ParameterDescriptor& parameter : kParameterTable)
    {
        // A text that carries a unit carries the plain value's.
        if (std::strlen(parameter.unit) > 0)
        {
            EXPECT_STREQ(parameter.unit, plainUnitOf(parameter.index)) << parameter.name;
        }
        // The ends and every step read back from their texts as the same texts.
        const int steps = parameter.stepCount > 0 ? parameter.stepCount : 1;
        for (int step = 0; step <= steps; ++step)
        {
            const float value = static_cast<float>(step) / static_cast<float>(steps);
            const std::string text = steppedText(parameter.index, value);
            float parsed = -1.0f;
            ASSERT_TRUE(parseSteppedParameterValue(parameter.index, text.c_str(), parsed)) << text;
            EXPECT_EQ(steppedText(parameter.index, parsed), text) << parameter.name;
        }
    }
}
