#include "HostEffect.h"

#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{

constexpr std::size_t kProgramSize = 2724;
constexpr std::size_t kBankSize = 2728;
constexpr std::size_t kDisplayOffset = 1344;
constexpr std::size_t kReservedOffset = 2688;
constexpr std::size_t kNameOffset = 2692;

float floatAt(const std::vector<unsigned char>& bytes, std::size_t offset)
{
    float value = 0.0f;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

void putFloat(std::vector<unsigned char>& bytes, std::size_t offset, float value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
}

std::vector<float> allParameters(const EffectInstance& instance)
{
    std::vector<float> values;
    for (int i = 0; i < 42; ++i)
        values.push_back(instance.getParameter(i));
    return values;
}

using HostChunks = HostEffect;

TEST_F(HostChunks, FreshChunksHaveTheirSizesAndTheDefaultProgram)
{
    const auto program = instance.chunk(true);
    ASSERT_EQ(program.size(), kProgramSize);
    EXPECT_EQ(floatAt(program, 0), 1.0f);
    EXPECT_STREQ(reinterpret_cast<const char*>(program.data() + kNameOffset), "Default");
    for (std::size_t i = kNameOffset + 7; i < kProgramSize; ++i)
        EXPECT_EQ(program[i], 0);
    for (int i = 42; i < 336; ++i)
        EXPECT_EQ(floatAt(program, 4 * i), 0.0f);

    const auto bank = instance.chunk(false);
    ASSERT_EQ(bank.size(), kBankSize);
    EXPECT_EQ(floatAt(bank, 0), 0.0f) << "reserved word of a fresh instance";
    EXPECT_TRUE(std::equal(program.begin(), program.end(), bank.begin() + 4));
}

TEST_F(HostChunks, ChunksAreAvailableBeforeAnyResume)
{
    void* data = nullptr;
    EXPECT_EQ(instance.dispatch(effGetChunk, 0, 0, &data), static_cast<VstIntPtr>(kBankSize));
    EXPECT_NE(data, nullptr);
    EXPECT_EQ(instance.dispatch(effGetChunk, 0, 0, nullptr), 0) << "a null destination is refused";
}

TEST_F(HostChunks, BankRoundTripIntoANewInstanceIsByteExact)
{
    instance.setParameter(1, 0.8f);
    instance.setParameter(6, 0.5f);
    instance.setParameter(12, 0.2f);
    char name[] = "Session Pad";
    instance.dispatch(effSetProgramName, 0, 0, name);
    auto bank = instance.chunk(false);
    putFloat(bank, 0, 1234.5f);  // the reserved word travels along unchanged

    EffectInstance restored;
    ASSERT_EQ(restored.restore(bank, false), 1);
    EXPECT_EQ(allParameters(restored), allParameters(instance));
    EXPECT_EQ(restored.text(effGetProgramName), "Session Pad");
    EXPECT_EQ(restored.chunk(false), bank);
}

TEST_F(HostChunks, ProgramRoundTripKeepsTheReservedField)
{
    auto program = instance.chunk(true);
    putFloat(program, kReservedOffset, -7.0f);
    putFloat(program, 4 * 3, 0.6f);
    putFloat(program, kDisplayOffset + 4 * 3, 0.6f);
    EffectInstance restored;
    ASSERT_EQ(restored.restore(program, true), 1);
    EXPECT_FLOAT_EQ(restored.getParameter(3), 0.6f);
    EXPECT_EQ(restored.chunk(true), program);
}

TEST_F(HostChunks, OlderProgramFormTakesFortyOneValuesAndResetsEqGain)
{
    char name[] = "Keep Me";
    instance.dispatch(effSetProgramName, 0, 0, name);
    instance.setParameter(41, 0.25f);
    std::vector<unsigned char> older(364, 0);
    for (int i = 0; i < 41; ++i)
        putFloat(older, 4 * i, 0.01f * static_cast<float>(i));
    putFloat(older, 4 * 39, 0.9f);
    ASSERT_EQ(instance.restore(older, true), 1);
    EXPECT_FLOAT_EQ(instance.getParameter(5), 0.05f);
    EXPECT_FLOAT_EQ(instance.getParameter(40), 0.40f);
    EXPECT_EQ(instance.getParameter(39), 0.45454547f);
    EXPECT_FLOAT_EQ(instance.getParameter(41), 0.25f);
    EXPECT_EQ(instance.text(effGetProgramName), "Keep Me");
}

TEST_F(HostChunks, OlderBankFormMatchesTheOlderProgramAfterItsFirstWord)
{
    std::vector<unsigned char> older(364, 0);
    for (int i = 0; i < 41; ++i)
        putFloat(older, 4 * i, 0.02f * static_cast<float>(i % 40));
    std::vector<unsigned char> olderBank(368, 0xAB);
    std::copy(older.begin(), older.end(), olderBank.begin() + 4);

    EffectInstance viaProgram;
    ASSERT_EQ(viaProgram.restore(older, true), 1);
    ASSERT_EQ(instance.restore(olderBank, false), 1);
    EXPECT_EQ(allParameters(instance), allParameters(viaProgram));
}

TEST_F(HostChunks, WrongLengthsOrKindsAreRefusedWithoutChange)
{
    const auto bank = instance.chunk(false);
    const auto program = instance.chunk(true);
    auto changedBank = bank;
    putFloat(changedBank, 4 + 4, 0.9f);
    auto changedProgram = program;
    putFloat(changedProgram, 4, 0.9f);

    EXPECT_EQ(instance.restore(changedProgram, false), 0) << "a program chunk offered as a bank";
    EXPECT_EQ(instance.restore(changedBank, true), 0) << "a bank chunk offered as a program";
    EXPECT_EQ(instance.restore(std::vector<unsigned char>(368, 0), true), 0);
    EXPECT_EQ(instance.restore(std::vector<unsigned char>(364, 0), false), 0);
    EXPECT_EQ(instance.restore(std::vector<unsigned char>(100, 0), true), 0);
    EXPECT_EQ(instance.dispatch(effSetChunk, 1, 2724, nullptr), 0);
    EXPECT_EQ(instance.chunk(false), bank);
}

TEST_F(HostChunks, OutOfRangeValuesApplyAsStoredButNonFiniteOnesFallBackToDefaults)
{
    auto program = instance.chunk(true);
    putFloat(program, 4 * 1, 1.5f);
    putFloat(program, 4 * 2, std::numeric_limits<float>::quiet_NaN());
    putFloat(program, 4 * 5, std::numeric_limits<float>::infinity());
    putFloat(program, 4 * 39, -std::numeric_limits<float>::infinity());
    ASSERT_EQ(instance.restore(program, true), 1);
    EXPECT_EQ(instance.getParameter(1), 1.5f);
    EXPECT_FLOAT_EQ(floatAt(instance.chunk(true), kDisplayOffset + 4), 150.0f);
    EXPECT_EQ(instance.getParameter(2), 0.5f);
    EXPECT_EQ(instance.getParameter(5), 0.5f);
    EXPECT_EQ(instance.getParameter(39), 0.45454547f);
}

TEST_F(HostChunks, UnterminatedProgramNameReadsAsItsFirst31Characters)
{
    auto program = instance.chunk(true);
    std::memset(program.data() + kNameOffset, 'Z', 32);
    ASSERT_EQ(instance.restore(program, true), 1);
    EXPECT_EQ(instance.text(effGetProgramName), std::string(31, 'Z'));
    char indexed[64];
    ASSERT_EQ(instance.dispatch(effGetProgramNameIndexed, 0, 0, indexed), 1);
    EXPECT_EQ(std::string(indexed), std::string(31, 'Z'));
    EXPECT_EQ(instance.chunk(true), program) << "the stored bytes stay as loaded";
}

TEST_F(HostChunks, RestoringTellsTheHostToRedisplay)
{
    const auto bank = instance.chunk(false);
    HostRecorder::instance().clear();
    ASSERT_EQ(instance.restore(bank, false), 1);
    EXPECT_EQ(HostRecorder::instance().callsFor(instance.effect(), audioMasterUpdateDisplay).size(), 1u);
}

}  // namespace
