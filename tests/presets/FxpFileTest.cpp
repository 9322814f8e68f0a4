// The VST program file: written in the standard layout (read back here by hand), read back
// whole, and every damaged or foreign file refused with a reason a browser can show.
#include "presets/FxpFile.h"
#include "PresetBytes.h"
#include "identity/EffectIdentity.h"
#include "presets/FactoryPresets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace
{

ProgramChunk someChunk()
{
    return factoryChunk(factoryPresets()[1]);
}

void putBigEndian(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.at(offset + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

}  // namespace

TEST(FxpFile, WritesTheStandardProgramFileLayout)
{
    const ProgramChunk chunk = someChunk();
    const std::vector<std::uint8_t> bytes = writeFxp("Wide Pads", chunk);
    ASSERT_EQ(bytes.size(), 2784u);
    EXPECT_EQ(textAt(bytes, 0, 4), "CcnK");
    EXPECT_EQ(bigEndianAt(bytes, 4), 2784u - 8u);
    EXPECT_EQ(textAt(bytes, 8, 4), "FPCh");
    EXPECT_EQ(bigEndianAt(bytes, 12), 1u);
    EXPECT_EQ(textAt(bytes, 16, 4), kEffectIdentity.vst2UniqueId);
    EXPECT_EQ(bigEndianAt(bytes, 20), static_cast<std::uint32_t>(kEffectIdentity.versionNumber));
    EXPECT_EQ(bigEndianAt(bytes, 24), 1u);
    EXPECT_EQ(textAt(bytes, 28, 9), "Wide Pads");
    EXPECT_TRUE(std::all_of(bytes.begin() + 37, bytes.begin() + 56, [](std::uint8_t b) { return b == 0; }))
        << "the name is padded with NULs";
    EXPECT_EQ(bigEndianAt(bytes, 56), 2724u);
    EXPECT_TRUE(std::equal(chunk.begin(), chunk.end(), bytes.begin() + 60));
}

TEST(FxpFile, ReadsBackTheNameAndChunkItWrote)
{
    const ProgramChunk chunk = someChunk();
    const FxpReading reading = readFxp(writeFxp("Drum Bus Punch", chunk));
    ASSERT_TRUE(reading.accepted()) << fxpProblemText(reading.problem);
    EXPECT_EQ(reading.name, "Drum Bus Punch");
    EXPECT_EQ(reading.chunk, chunk);
}

TEST(FxpFile, LongNamesAreCutToTheFieldAndNeverInsideACharacter)
{
    EXPECT_EQ(readFxp(writeFxp("A name far longer than the field holds", someChunk())).name,
              "A name far longer than the ");
    // 26 ASCII characters, then a two-byte one that would end at byte 28.
    std::string name(26, 'x');
    name += "\xC3\xA9";
    EXPECT_EQ(readFxp(writeFxp(name, someChunk())).name, std::string(26, 'x'));
    EXPECT_EQ(fxpStoredName(std::string(27, 'y')), std::string(27, 'y'));
}

TEST(FxpFile, RefusesDamagedAndForeignFilesSayingWhy)
{
    const std::vector<std::uint8_t> good = writeFxp("Good", someChunk());
    const struct
    {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        FxpProblem problem;
        const char* text;
    } kCases[] = {
        {"empty", [](auto& b) { b.clear(); }, FxpProblem::Truncated, "truncated"},
        {"cut in the header", [](auto& b) { b.resize(40); }, FxpProblem::Truncated, "truncated"},
        {"cut in the chunk", [](auto& b) { b.resize(2000); }, FxpProblem::Truncated, "truncated"},
        {"one byte short", [](auto& b) { b.pop_back(); }, FxpProblem::Truncated, "truncated"},
        {"another plug-in's id", [](auto& b) { putBigEndian(b, 16, 0x41424344); }, FxpProblem::ForeignPlugin,
         "made for another plug-in"},
        {"a byte too many", [](auto& b) { b.push_back(0); }, FxpProblem::WrongSize, "wrong size"},
        {"an older chunk size, consistently stated",
         [](auto& b)
         {
             b.resize(60 + 364);
             putBigEndian(b, 4, 60 + 364 - 8);
             putBigEndian(b, 56, 364);
         },
         FxpProblem::WrongSize, "wrong size"},
        {"a chunk size that disagrees", [](auto& b) { putBigEndian(b, 56, 2723); }, FxpProblem::WrongSize,
         "wrong size"},
        {"not a VST file", [](auto& b) { b[0] = 'R'; }, FxpProblem::NotAProgramFile, "not a VST program file"},
        {"a bank file", [](auto& b) { b[9] = 'B'; }, FxpProblem::NotAProgramFile, "not a VST program file"},
        {"a parameter list", [](auto& b) { putBigEndian(b, 8, 0x4678436B); }, FxpProblem::ParameterList,
         "holds a parameter list, not a program chunk"},
        {"version 2", [](auto& b) { putBigEndian(b, 12, 2); }, FxpProblem::UnknownVersion, "unknown file version"},
        {"two programs", [](auto& b) { putBigEndian(b, 24, 2); }, FxpProblem::NotOneProgram,
         "holds more than one program"},
        {"a name without its NUL", [](auto& b) { std::fill(b.begin() + 28, b.begin() + 56, 'n'); },
         FxpProblem::UnterminatedName, "name not terminated"},
    };
    for (const auto& c : kCases)
    {
        std::vector<std::uint8_t> bytes = good;
        c.damage(bytes);
        const FxpReading reading = readFxp(bytes);
        EXPECT_EQ(reading.problem, c.problem) << c.what;
        EXPECT_STREQ(fxpProblemText(reading.problem), c.text) << c.what;
        EXPECT_FALSE(reading.accepted()) << c.what;
    }
}
