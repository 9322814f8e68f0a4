#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <limits>
#include <set>
#include <string>

TEST(ParameterTable, DisplayValuesFollowEachParametersScale)
{
    EXPECT_EQ(displayValueFor(kParamActive, 0.99f), 0.0f);
    EXPECT_EQ(displayValueFor(kParamActive, 1.0f), 1.0f);
    EXPECT_FLOAT_EQ(displayValueFor(kParamStereoWidth, 0.25f), 25.0f);
    EXPECT_FLOAT_EQ(displayValueFor(kParamStereoWidth, 1.5f), 150.0f);
    EXPECT_FLOAT_EQ(displayValueFor(kParamPunch, 0.25f), -0.5f);
    EXPECT_FLOAT_EQ(displayValueFor(kParamSizzle, 0.3f), 0.3f);
    EXPECT_FLOAT_EQ(displayValueFor(kParamShape, 0.75f), 1.5f);
    EXPECT_FLOAT_EQ(displayValueFor(kParamGain, 1.0f), 4.0f);
    EXPECT_FLOAT_EQ(displayValueFor(kParamGain, 0.5f), 1.0f);
    EXPECT_NEAR(displayValueFor(kParamEqGain, 1.0f), 15.848932f, 1e-4f);
    EXPECT_NEAR(displayValueFor(kParamEqGain, 0.0f), 1.2589254f, 1e-5f);
}

TEST(ParameterTable, ActiveDisplayTruncatesSafelyForAnyStoredValue)
{
    EXPECT_EQ(displayValueFor(kParamActive, 1e30f), 1e30f);
    EXPECT_EQ(displayValueFor(kParamActive, -2.5f), -2.0f);
    EXPECT_EQ(displayValueFor(kParamActive, std::numeric_limits<float>::quiet_NaN()), 0.0f);
}

TEST(ParameterTable, EqNumSelectsHowManyPointsAreInUse)
{
    EXPECT_EQ(eqPointCount(0.125f), 2);
    EXPECT_EQ(eqPointCount(0.5f), 8);
    EXPECT_EQ(eqPointCount(1.0f), 16);
    EXPECT_EQ(eqPointCount(0.0f), 0);
    // Stored values outside 0..1 must not index past the sixteen points.
    EXPECT_EQ(eqPointCount(1.5f), 16);
    EXPECT_EQ(eqPointCount(-1.0f), 0);
    EXPECT_EQ(eqPointCount(std::numeric_limits<float>::quiet_NaN()), 0);
    // Far beyond any int: bounded before the conversion (the sanitizer builds check it).
    EXPECT_EQ(eqPointCount(1e30f), 16);
    EXPECT_EQ(eqPointCount(std::numeric_limits<float>::max()), 16);
    EXPECT_EQ(eqPointCount(std::numeric_limits<float>::infinity()), 16);
    EXPECT_EQ(eqPointCount(-std::numeric_limits<float>::infinity()), 0);
}

TEST(ParameterTable, RowsMatchTheirIndicesAndPointNamesAreRegular)
{
    for (int i = 0; i < kNumParameters; ++i)
        EXPECT_EQ(kParameterTable[i].index, i);
    EXPECT_STREQ(kParameterTable[eqPointXIndex(9)].name, "Eq9_X");
    EXPECT_STREQ(kParameterTable[eqPointYIndex(15)].name, "Eq15_Y");
    EXPECT_EQ(kParameterTable[kParamEqGain].defaultValue, 0.45454547f);
}

// Formats key parameters by symbol in saved sessions (LV2 port symbols): each must be a
// valid lower-case identifier, and no two alike.
TEST(ParameterTable, SymbolsAreUniqueLowerCaseIdentifiers)
{
    std::set<std::string> seen;
    for (const ParameterDescriptor& parameter : kParameterTable)
    {
        const std::string symbol = parameter.symbol;
        ASSERT_FALSE(symbol.empty()) << parameter.index;
        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(symbol[0]))) << symbol;
        for (char c : symbol)
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') << symbol;
        EXPECT_TRUE(seen.insert(symbol).second) << symbol << " twice";
    }
}

TEST(ParameterTable, DefaultsLieInTheHostRangeAndStepsMatchWhatTheEngineReads)
{
    for (const ParameterDescriptor& parameter : kParameterTable)
    {
        EXPECT_GE(parameter.defaultValue, parameter.minimum) << parameter.name;
        EXPECT_LE(parameter.defaultValue, parameter.maximum) << parameter.name;
        EXPECT_EQ(parameter.engineUse == EngineUse::Amount,
                  parameter.amountField != nullptr && parameter.amount != nullptr)
            << parameter.name;
    }
    // Active is on or off; Eq_Num picks one of 0..16 points.
    EXPECT_EQ(kParameterTable[kParamActive].stepCount, 1);
    EXPECT_EQ(kParameterTable[kParamEqNum].stepCount, kMaxEqPoints);
    for (int step = 0; step <= kMaxEqPoints; ++step)
        EXPECT_EQ(eqPointCount(static_cast<float>(step) / kMaxEqPoints), step);
    EXPECT_TRUE(kParameterTable[kParamInternal0].hidden() && kParameterTable[kParamUnnamed].hidden());
    EXPECT_EQ(std::count_if(std::begin(kParameterTable), std::end(kParameterTable),
                            [](const ParameterDescriptor& parameter) { return parameter.hidden(); }),
              2);
}

// Each engine amount is written by exactly one parameter, so no two controls fight over it.
TEST(ParameterTable, EachEngineAmountHasOneParameter)
{
    ParameterAmounts written;
    for (const ParameterDescriptor& parameter : kParameterTable)
    {
        if (parameter.engineUse != EngineUse::Amount)
            continue;
        EXPECT_EQ(written.*parameter.amountField, 0.0f) << parameter.name << " shares its amount";
        written.*parameter.amountField = 1.0f;
    }
    for (float ParameterAmounts::*field :
         {&ParameterAmounts::width, &ParameterAmounts::punch, &ParameterAmounts::sizzle, &ParameterAmounts::shapeTarget,
          &ParameterAmounts::gain, &ParameterAmounts::eqRange})
        EXPECT_EQ(written.*field, 1.0f);
}
