#include "vst3shell/Vst3Parameters.h"

#include "params/ParameterTable.h"
#include "params/ValueText.h"
#include "vst3/Vst3Strings.h"

#include <algorithm>

std::int32_t vst3ParameterCount()
{
    return kNumParameters;
}

bool isVst3Parameter(vst3::ParamId id)
{
    return id < static_cast<vst3::ParamId>(kNumParameters);
}

vst3::tresult vst3ParameterInfo(std::int32_t index, vst3::ParameterInfo& info)
{
    if (!isParameter(index))
        return vst3::kInvalidArgument;
    const ParameterDescriptor& parameter = kParameterTable[index];
    info = vst3::ParameterInfo{};
    info.id = static_cast<vst3::ParamId>(index);
    vst3::copyAsciiToUtf16(parameter.name, info.title, vst3::kString128Size);
    vst3::copyAsciiToUtf16(parameter.name, info.shortTitle, vst3::kString128Size);
    vst3::copyAsciiToUtf16(parameter.unit, info.units, vst3::kString128Size);
    info.stepCount = parameter.stepCount;
    info.defaultNormalizedValue = parameter.defaultValue;
    info.unitId = vst3::kRootUnitId;
    info.flags = (parameter.automatable() ? vst3::ParameterInfo::kCanAutomate : 0) |
                 (parameter.readOnly() ? vst3::ParameterInfo::kIsReadOnly : 0) |
                 (parameter.hidden() ? vst3::ParameterInfo::kIsHidden : 0);
    return vst3::kResultOk;
}

vst3::tresult vst3ValueText(vst3::ParamId id, vst3::ParamValue value, vst3::TChar* text)
{
    if (!isVst3Parameter(id) || text == nullptr)
        return vst3::kInvalidArgument;
    char ascii[vst3::kString128Size] = {};
    formatSteppedParameterValue(static_cast<int>(id), static_cast<float>(value), ascii, sizeof(ascii));
    vst3::copyAsciiToUtf16(ascii, text, vst3::kString128Size);
    return vst3::kResultOk;
}

vst3::tresult vst3ValueFromText(vst3::ParamId id, const vst3::TChar* text, vst3::ParamValue& value)
{
    if (!isVst3Parameter(id) || text == nullptr)
        return vst3::kInvalidArgument;
    float parsed = 0.0f;
    if (!parseSteppedParameterValue(static_cast<int>(id), vst3::utf16ToAscii(text, vst3::kString128Size).c_str(),
                                    parsed))
        return vst3::kResultFalse;
    value = vst3BoundedValue(parsed);
    return vst3::kResultOk;
}

vst3::ParamValue vst3BoundedValue(vst3::ParamValue value)
{
    return std::clamp(value, 0.0, 1.0);
}
