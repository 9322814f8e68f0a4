#include "vst3shell/Vst3Programs.h"

#include "identity/EffectIdentity.h"
#include "presets/FactoryPresets.h"
#include "vst3/Vst3Strings.h"

#include <algorithm>
#include <cmath>

std::int32_t factoryProgramCount()
{
    return static_cast<std::int32_t>(factoryPresets().size());
}

vst3::tresult vst3UnitInfo(std::int32_t unitIndex, vst3::UnitInfo& info)
{
    if (unitIndex != 0)
        return vst3::kInvalidArgument;
    info = vst3::UnitInfo{};
    info.id = vst3::kRootUnitId;
    info.parentUnitId = vst3::kNoParentUnitId;
    vst3::copyAsciiToUtf16(kEffectIdentity.product, info.name, vst3::kString128Size);
    info.programListId = kFactoryProgramListId;
    return vst3::kResultOk;
}

vst3::tresult vst3ProgramListInfo(std::int32_t listIndex, vst3::ProgramListInfo& info)
{
    if (listIndex != 0)
        return vst3::kInvalidArgument;
    info = vst3::ProgramListInfo{};
    info.id = kFactoryProgramListId;
    vst3::copyAsciiToUtf16("Factory Presets", info.name, vst3::kString128Size);
    info.programCount = factoryProgramCount();
    return vst3::kResultOk;
}

vst3::tresult vst3ProgramName(vst3::ProgramListId listId, std::int32_t program, vst3::TChar* name)
{
    if (listId != kFactoryProgramListId || program < 0 || program >= factoryProgramCount() || name == nullptr)
        return vst3::kInvalidArgument;
    vst3::copyAsciiToUtf16(factoryPresets()[static_cast<std::size_t>(program)].name, name, vst3::kString128Size);
    return vst3::kResultOk;
}

void programChangeParameterInfo(vst3::ParameterInfo& info)
{
    info = vst3::ParameterInfo{};
    info.id = kProgramChangeParameterId;
    vst3::copyAsciiToUtf16("Program", info.title, vst3::kString128Size);
    vst3::copyAsciiToUtf16("Program", info.shortTitle, vst3::kString128Size);
    info.stepCount = factoryProgramCount() - 1;
    info.defaultNormalizedValue = 0.0;
    info.unitId = vst3::kRootUnitId;
    info.flags = vst3::ParameterInfo::kIsProgramChange | vst3::ParameterInfo::kIsList;
}

vst3::ParamValue programValue(std::int32_t program)
{
    return static_cast<vst3::ParamValue>(program) / static_cast<vst3::ParamValue>(factoryProgramCount() - 1);
}

std::int32_t programAt(vst3::ParamValue value)
{
    const vst3::ParamValue steps = factoryProgramCount() - 1;
    const vst3::ParamValue bounded = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
    return static_cast<std::int32_t>(std::lround(bounded * steps));
}

namespace
{

// Compared character by character, so a host's text costs no allocation.
bool sameText(const vst3::TChar* text, const char* ascii)
{
    int at = 0;
    for (; at < vst3::kString128Size && ascii[at] != '\0'; ++at)
    {
        if (text[at] != static_cast<vst3::TChar>(static_cast<unsigned char>(ascii[at])))
            return false;
    }
    return at == vst3::kString128Size || text[at] == 0;
}

}  // namespace

std::optional<std::int32_t> programNamed(const vst3::TChar* text)
{
    if (text == nullptr)
        return std::nullopt;
    for (std::int32_t program = 0; program < factoryProgramCount(); ++program)
    {
        if (sameText(text, factoryPresets()[static_cast<std::size_t>(program)].name))
            return program;
    }
    return std::nullopt;
}
