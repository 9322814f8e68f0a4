// The factory presets' table, and the files the build made from it beside the modules and
// in the VST3 bundle.
#include "PresetBytes.h"
#include "base/AsciiCase.h"
#include "params/ParameterTable.h"
#include "presets/FactoryPresets.h"
#include "presets/FxpFile.h"
#include "presets/PresetFileName.h"
#include "presets/Vst3PresetFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>

namespace
{

ProgramRecord recordOf(const ProgramChunk& chunk)
{
    ProgramRecord record;
    std::memcpy(&record, chunk.data(), sizeof(record));
    return record;
}

std::size_t filesIn(const std::filesystem::path& folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

}  // namespace

TEST(FactoryPresetTable, NamesAndLinesFitEveryPlaceTheyAreShown)
{
    const auto presets = factoryPresets();
    EXPECT_GE(presets.size(), 12u);
    EXPECT_LE(presets.size(), 20u);
    std::set<std::string> names;
    std::set<std::string> lines;
    for (const FactoryPresetDefinition& preset : presets)
    {
        const std::string name = preset.name;
        EXPECT_FALSE(name.empty());
        EXPECT_LE(name.size(), kFxpLongestName) << name;
        EXPECT_EQ(safePresetName(name), name) << "its file takes its name unchanged";
        EXPECT_TRUE(names.insert(toLowerAscii(name)).second) << name << " is listed twice";
        const std::string line = preset.description;
        EXPECT_GT(line.size(), 20u) << name;
        EXPECT_EQ(line.find('\n'), std::string::npos) << name;
        EXPECT_TRUE(lines.insert(line).second) << name;
    }
}

TEST(FactoryPresetTable, EachProgramIsWhatTheEffectWouldSave)
{
    std::set<std::vector<float>> settings;
    for (const FactoryPresetDefinition& preset : factoryPresets())
    {
        const ProgramRecord record = recordOf(factoryChunk(preset));
        EXPECT_STREQ(record.name, preset.name);
        EXPECT_EQ(record.value[kParamActive], 1.0f) << preset.name;
        EXPECT_EQ(eqPointCount(record.value[kParamEqNum]), preset.pointCount) << preset.name;
        EXPECT_GE(preset.pointCount, 2) << preset.name << ": a curve needs two points";
        for (int i = 0; i < kNumParameters; ++i)
        {
            EXPECT_GE(record.value[i], 0.0f) << preset.name << " " << i;
            EXPECT_LE(record.value[i], 1.0f) << preset.name << " " << i;
            EXPECT_EQ(record.display[i], displayValueFor(i, record.value[i])) << preset.name << " " << i;
        }
        // The curve spans the whole axis in order: no stretch of it is left undrawn.
        EXPECT_EQ(preset.points[0].x, 0.0f) << preset.name;
        EXPECT_EQ(preset.points[preset.pointCount - 1].x, 1.0f) << preset.name;
        for (int point = 0; point < preset.pointCount; ++point)
        {
            if (point > 0)
            {
                EXPECT_GT(preset.points[point].x, preset.points[point - 1].x) << preset.name;
            }
            EXPECT_EQ(record.value[eqPointXIndex(point)], preset.points[point].x);
            EXPECT_EQ(record.value[eqPointYIndex(point)], preset.points[point].y);
        }
        const std::array<float, kNumParameters> values = parameterValuesOf(factoryChunk(preset));
        EXPECT_TRUE(std::equal(values.begin(), values.end(), record.value)) << preset.name;
        EXPECT_TRUE(settings.insert({record.value, record.value + kNumParameters}).second)
            << preset.name << " repeats another preset's values";
    }
}

TEST(FactoryPresetTable, ValuesThatAreNotNumbersReadAsTheDefaults)
{
    ProgramRecord record = factoryProgram(factoryPresets()[0]);
    record.value[kParamGain] = std::nanf("");
    record.value[kParamSizzle] = INFINITY;
    const std::array<float, kNumParameters> values = parameterValuesOf(chunkOf(record));
    EXPECT_EQ(values[kParamGain], kParameterTable[kParamGain].defaultValue);
    EXPECT_EQ(values[kParamSizzle], kParameterTable[kParamSizzle].defaultValue);
    EXPECT_EQ(values[kParamStereoWidth], factoryPresets()[0].stereoWidth);
}

// The files come from a program of their own, run at build time on the build machine.
TEST(FactoryPresetTable, TheBuildWroteEveryPresetAsBothFilesAndNothingElse)
{
    const std::filesystem::path fxpFolder = VANTOR_PRESET_FOLDER;
    const std::filesystem::path vst3Folder = VANTOR_VST3_PRESET_FOLDER;
    ASSERT_EQ(filesIn(fxpFolder), factoryPresets().size());
    ASSERT_EQ(filesIn(vst3Folder), factoryPresets().size());
    for (const FactoryPresetDefinition& preset : factoryPresets())
    {
        const std::string name = preset.name;
        const FxpReading reading = readFxp(fileBytes((fxpFolder / (name + ".fxp")).string()));
        ASSERT_TRUE(reading.accepted()) << name << ": " << fxpProblemText(reading.problem);
        EXPECT_EQ(reading.name, name);
        const ProgramRecord written = recordOf(reading.chunk);
        const ProgramRecord expected = factoryProgram(preset);
        EXPECT_EQ(0, std::memcmp(written.value, expected.value, sizeof(expected.value))) << name;
        EXPECT_STREQ(written.name, expected.name);
        EXPECT_EQ(fileBytes((vst3Folder / (name + ".vstpreset")).string()), writeVst3Preset(reading.chunk)) << name;
    }
}
