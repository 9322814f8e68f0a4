// The factory presets as VST3 hosts find them in the bundle: each .vstpreset's component
// state, loaded as a host loads a preset (component, then controller), sounds exactly as the
// VST 2.4 module given the program file of the same name; and as the effect's own program
// list, which a host shows and picks from.
#include "Vst3TestSupport.h"
#include "host/PluginHost.h"
#include "params/ParameterTable.h"
#include "presets/FactoryPresets.h"
#include "support/PresetRenders.h"
#include "support/TestSignals.h"
#include "vst3/Vst3Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

constexpr std::size_t kFxpHeaderBytes = 60;

std::vector<unsigned char> bytesOf(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint64_t littleEndian(const std::vector<unsigned char>& bytes, std::size_t offset, int count)
{
    std::uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + static_cast<std::size_t>(i));
    return value;
}

// The component state as a host finds it: through the chunk list the header points at.
std::vector<unsigned char> componentState(const std::vector<unsigned char>& preset)
{
    const std::uint64_t list = littleEndian(preset, 40, 8);
    const std::uint64_t entries = littleEndian(preset, list + 4, 4);
    for (std::uint64_t i = 0; i < entries; ++i)
    {
        const std::size_t entry = list + 8 + i * 20;
        if (std::string(preset.begin() + entry, preset.begin() + entry + 4) != "Comp")
            continue;
        const std::uint64_t offset = littleEndian(preset, entry + 4, 8);
        const std::uint64_t size = littleEndian(preset, entry + 12, 8);
        return {preset.begin() + offset, preset.begin() + offset + size};
    }
    return {};
}

}  // namespace

TEST(Vst3Presets, EveryBundledPresetLoadsAndSoundsAsTheVstProgramFile)
{
    const std::filesystem::path bundlePresets =
        std::filesystem::path(vst3BundlePath()) / "Contents" / "Resources" / "Presets";
    const char* fxpFolder = std::getenv("VANTOR_PRESET_FOLDER");
    ASSERT_NE(fxpFolder, nullptr);
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(bundlePresets))
    {
        ++count;
        const std::string name = entry.path().stem().string();
        EXPECT_EQ(entry.path().extension(), ".vstpreset");
        const std::vector<unsigned char> state = componentState(bytesOf(entry.path()));
        const std::vector<unsigned char> file = bytesOf(std::filesystem::path(fxpFolder) / (name + ".fxp"));
        ASSERT_GT(file.size(), kFxpHeaderBytes) << name << " has its program file beside the modules";
        const std::vector<unsigned char> chunk(file.begin() + kFxpHeaderBytes, file.end());
        EXPECT_EQ(state, chunk) << name;

        auto effect = createdEffect();
        ASSERT_NE(effect, nullptr);
        Vst3MemoryStream forComponent(state);
        ASSERT_EQ(effect->setState(forComponent.stream()), vst3::kResultOk);
        Vst3MemoryStream forController(state);
        ASSERT_EQ(effect->setComponentState(forController.stream()), vst3::kResultOk);
        // Hosts load presets holding their own locks: a call back from inside never returns.
        EXPECT_EQ(effect->componentHandler().reentrantCalls(), std::vector<std::string>{}) << name;

        EffectInstance vst;
        ASSERT_NE(vst.restore(chunk, true), 0);
        for (int id = 0; id < 6; ++id)
            EXPECT_EQ(effect->controller()->vtable->getParamNormalized(effect->controller(), id),
                      static_cast<double>(vst.getParameter(id)))
                << name << " " << id;
        StereoSignal vstSignal = stereoNoise(44100, 0.3f);
        StereoSignal vst3Signal = vstSignal;
        vst.resumeAt(44100.0f, 512);
        vst.process(vstSignal.left, vstSignal.right);
        startProcessing(*effect, 44100.0, 512);
        processInBlocks(*effect, vst3Signal.left, vst3Signal.right, 512);
        const bool shaped = vst.getParameter(4) != 0.0f;
        EXPECT_TRUE(soundsTheSame(vst3Signal.left, vstSignal.left, shaped)) << name;
        EXPECT_TRUE(soundsTheSame(vst3Signal.right, vstSignal.right, shaped)) << name;
    }
    EXPECT_GE(count, 12u);
}

// Without any .vstpreset file, a host lists the factory presets from the root unit's program
// list and picks one through the program-change parameter: the preset's values, each reaching
// the host as one edit of its own; the host setting the program it already shows changes
// nothing (a project reloading its values keeps the user's later edits).
TEST(Vst3Presets, TheFactoryProgramsAreAListTheHostShowsAndPicksFrom)
{
    auto effect = createdEffect();
    ASSERT_NE(effect, nullptr);
    vst3::IEditController* controller = effect->controller();
    auto* units = vst3::queryInterface<vst3::IUnitInfo>(controller, vst3::kIUnitInfoIid);
    ASSERT_NE(units, nullptr);
    const auto presets = factoryPresets();
    ASSERT_EQ(units->vtable->getUnitCount(units), 1);
    vst3::UnitInfo unit{};
    ASSERT_EQ(units->vtable->getUnitInfo(units, 0, &unit), vst3::kResultOk);
    EXPECT_EQ(unit.id, vst3::kRootUnitId);
    EXPECT_EQ(unit.parentUnitId, vst3::kNoParentUnitId);
    ASSERT_EQ(units->vtable->getProgramListCount(units), 1);
    vst3::ProgramListInfo list{};
    ASSERT_EQ(units->vtable->getProgramListInfo(units, 0, &list), vst3::kResultOk);
    EXPECT_EQ(list.id, unit.programListId);
    ASSERT_EQ(list.programCount, static_cast<std::int32_t>(presets.size()));
    vst3::String128 name{};
    for (std::int32_t program = 0; program < list.programCount; ++program)
    {
        ASSERT_EQ(units->vtable->getProgramName(units, list.id, program, name), vst3::kResultOk);
        EXPECT_EQ(vst3::utf16ToAscii(name, vst3::kString128Size), presets[static_cast<std::size_t>(program)].name);
    }
    EXPECT_NE(units->vtable->getProgramName(units, list.id, list.programCount, name), vst3::kResultOk);
    vst3::release(units);

    vst3::ParameterInfo programChange{};
    for (std::int32_t index = 0; index < controller->vtable->getParameterCount(controller); ++index)
    {
        vst3::ParameterInfo info{};
        ASSERT_EQ(controller->vtable->getParameterInfo(controller, index, &info), vst3::kResultOk);
        if (info.flags & vst3::ParameterInfo::kIsProgramChange)
            programChange = info;
    }
    ASSERT_TRUE(programChange.flags & vst3::ParameterInfo::kIsProgramChange);
    EXPECT_EQ(programChange.stepCount, list.programCount - 1);
    EXPECT_EQ(programChange.unitId, unit.id);
    EXPECT_FALSE(programChange.flags & vst3::ParameterInfo::kCanAutomate);

    const std::size_t picked = 9;
    const vst3::ParamValue value = static_cast<double>(picked) / (list.programCount - 1);
    ASSERT_EQ(controller->vtable->getParamStringByValue(controller, programChange.id, value, name), vst3::kResultOk);
    EXPECT_EQ(vst3::utf16ToAscii(name, vst3::kString128Size), presets[picked].name);
    ASSERT_EQ(controller->vtable->setParamNormalized(controller, programChange.id, value), vst3::kResultOk);
    EXPECT_DOUBLE_EQ(controller->vtable->getParamNormalized(controller, programChange.id), value);
    const auto wanted = parameterValuesOf(factoryChunk(presets[picked]));
    const auto& edits = effect->componentHandler().edits();
    std::size_t next = 0;
    for (int index = 0; index < kNumParameters; ++index)
    {
        SCOPED_TRACE("parameter " + std::to_string(index));
        const auto id = static_cast<vst3::ParamId>(index);
        EXPECT_FLOAT_EQ(static_cast<float>(controller->vtable->getParamNormalized(controller, id)), wanted[index]);
        if (kParameterTable[index].hidden())
            continue;
        ASSERT_LE(next + 3, edits.size());
        EXPECT_EQ(edits[next].step, Vst3ComponentHandler::EditStep::begin);
        EXPECT_EQ(edits[next + 1], (Vst3ComponentHandler::Edit{Vst3ComponentHandler::EditStep::perform, id,
                                                               static_cast<double>(wanted[index])}));
        EXPECT_EQ(edits[next + 2].step, Vst3ComponentHandler::EditStep::end);
        next += 3;
    }
    EXPECT_EQ(next, edits.size());

    ASSERT_EQ(controller->vtable->setParamNormalized(controller, 1, 0.25), vst3::kResultOk);
    ASSERT_EQ(controller->vtable->setParamNormalized(controller, programChange.id, value), vst3::kResultOk);
    EXPECT_EQ(edits.size(), next);
    EXPECT_EQ(controller->vtable->getParamNormalized(controller, 1), 0.25);
}
