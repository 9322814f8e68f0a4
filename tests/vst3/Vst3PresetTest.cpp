// The factory presets as the effect's own program list, which a host shows and picks from
// (the bundle's .vstpreset files every format's suite loads, in tests/formats).
#include "Vst3TestSupport.h"
#include "params/ParameterTable.h"
#include "presets/FactoryPresets.h"
#include "vst3/Vst3Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
