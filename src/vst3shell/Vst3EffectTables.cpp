#include "vst3shell/Vst3EffectTables.h"

#include "vst3shell/Vst3Buses.h"
#include "vst3shell/Vst3Effect.h"
#include "vst3shell/Vst3Parameters.h"
#include "vst3shell/Vst3Programs.h"

#include <exception>

namespace
{

// Calls that may allocate answer an error instead of throwing into the host.
template <typename Call> vst3::tresult guarded(Call&& call)
{
    try
    {
        return call();
    }
    catch (const std::exception&)
    {
        return vst3::kOutOfMemory;
    }
}

template <typename Interface> Vst3Effect& effectOf(void* self)
{
    return Vst3Effect::of<Interface>(self);
}

template <typename Interface> vst3::tresult queryInterface(void* self, const vst3::Tuid* iid, void** object)
{
    return effectOf<Interface>(self).queryInterface(iid, object);
}

template <typename Interface> std::uint32_t addRef(void* self)
{
    return effectOf<Interface>(self).addRef();
}

template <typename Interface> std::uint32_t release(void* self)
{
    return effectOf<Interface>(self).release();
}

template <typename Interface>
constexpr vst3::FUnknownVtable kUnknown{queryInterface<Interface>, addRef<Interface>, release<Interface>};

template <typename Interface> vst3::tresult initialize(void* self, vst3::FUnknown* context)
{
    return guarded([&] { return effectOf<Interface>(self).initialize(context); });
}

template <typename Interface> vst3::tresult terminate(void* self)
{
    return effectOf<Interface>(self).terminate();
}

template <typename Interface>
constexpr vst3::IPluginBaseVtable kPluginBase{kUnknown<Interface>, initialize<Interface>, terminate<Interface>};

// IComponent.

using vst3::IComponent;

// The component is its own controller.
vst3::tresult getControllerClassId(void*, vst3::Tuid*)
{
    return vst3::kNotImplemented;
}

vst3::tresult setIoMode(void*, vst3::IoMode)
{
    return vst3::kNotImplemented;
}

std::int32_t getBusCount(void*, vst3::MediaType type, vst3::BusDirection direction)
{
    return vst3BusCount(type, direction);
}

vst3::tresult getBusInfo(void*, vst3::MediaType type, vst3::BusDirection direction, std::int32_t index,
                         vst3::BusInfo* bus)
{
    return bus != nullptr ? vst3BusInfo(type, direction, index, *bus) : vst3::kInvalidArgument;
}

vst3::tresult getRoutingInfo(void*, vst3::RoutingInfo*, vst3::RoutingInfo*)
{
    return vst3::kNotImplemented;
}

vst3::tresult activateBus(void*, vst3::MediaType type, vst3::BusDirection direction, std::int32_t index, vst3::TBool)
{
    return vst3ActivateBus(type, direction, index);
}

vst3::tresult setActive(void* self, vst3::TBool state)
{
    return guarded([&] { return effectOf<IComponent>(self).setActive(state != 0); });
}

vst3::tresult setState(void* self, vst3::IBStream* state)
{
    return guarded([&] { return effectOf<IComponent>(self).setState(state); });
}

vst3::tresult getState(void* self, vst3::IBStream* state)
{
    return guarded([&] { return effectOf<IComponent>(self).getState(state); });
}

// IAudioProcessor.

using vst3::IAudioProcessor;

vst3::tresult setBusArrangements(void*, vst3::SpeakerArrangement* inputs, std::int32_t inputCount,
                                 vst3::SpeakerArrangement* outputs, std::int32_t outputCount)
{
    return vst3SetBusArrangements(inputs, inputCount, outputs, outputCount);
}

vst3::tresult getBusArrangement(void*, vst3::BusDirection direction, std::int32_t index,
                                vst3::SpeakerArrangement* arrangement)
{
    return arrangement != nullptr ? vst3BusArrangement(direction, index, *arrangement) : vst3::kInvalidArgument;
}

vst3::tresult canProcessSampleSize(void*, std::int32_t symbolicSampleSize)
{
    return symbolicSampleSize == vst3::kSample32 ? vst3::kResultTrue : vst3::kResultFalse;
}

std::uint32_t getLatencySamples(void* self)
{
    return effectOf<IAudioProcessor>(self).latency();
}

vst3::tresult setupProcessing(void* self, vst3::ProcessSetup* setup)
{
    if (setup == nullptr)
        return vst3::kInvalidArgument;
    return guarded([&] { return effectOf<IAudioProcessor>(self).setupProcessing(*setup); });
}

// Processing starts and stops with activation here: nothing more to do.
vst3::tresult setProcessing(void*, vst3::TBool)
{
    return vst3::kResultOk;
}

vst3::tresult process(void* self, vst3::ProcessData* data)
{
    return data != nullptr ? effectOf<IAudioProcessor>(self).process(*data) : vst3::kInvalidArgument;
}

std::uint32_t getTailSamples(void* self)
{
    return effectOf<IAudioProcessor>(self).tail();
}

// IProcessContextRequirements.

using vst3::IProcessContextRequirements;

// The effect reads nothing of the process context, so the host need fill in none of it.
std::uint32_t getProcessContextRequirements(void*)
{
    return 0;
}

// IEditController.

using vst3::IEditController;

vst3::tresult setComponentState(void* self, vst3::IBStream* state)
{
    return guarded([&] { return effectOf<IEditController>(self).setComponentState(state); });
}

// The controller keeps nothing of its own: its values are the component's state.
vst3::tresult setControllerState(void*, vst3::IBStream*)
{
    return vst3::kResultOk;
}

vst3::tresult getControllerState(void*, vst3::IBStream*)
{
    return vst3::kResultOk;
}

// The effect's parameters, then the one that picks a factory program.
std::int32_t getParameterCount(void*)
{
    return vst3ParameterCount() + 1;
}

vst3::tresult getParameterInfo(void*, std::int32_t index, vst3::ParameterInfo* info)
{
    if (info == nullptr)
        return vst3::kInvalidArgument;
    if (index == vst3ParameterCount())
    {
        programChangeParameterInfo(*info);
        return vst3::kResultOk;
    }
    return vst3ParameterInfo(index, *info);
}

vst3::tresult getParamStringByValue(void*, vst3::ParamId id, vst3::ParamValue value, vst3::TChar* text)
{
    if (id == kProgramChangeParameterId)
        return vst3ProgramName(kFactoryProgramListId, programAt(value), text);
    return guarded([&] { return vst3ValueText(id, value, text); });
}

vst3::tresult getParamValueByString(void*, vst3::ParamId id, vst3::TChar* text, vst3::ParamValue* value)
{
    if (value == nullptr)
        return vst3::kInvalidArgument;
    if (id == kProgramChangeParameterId)
    {
        const std::optional<std::int32_t> program = programNamed(text);
        if (!program)
            return vst3::kResultFalse;
        *value = programValue(*program);
        return vst3::kResultOk;
    }
    return guarded([&] { return vst3ValueFromText(id, text, *value); });
}

// The effect's plain values are its normalised ones.
vst3::ParamValue normalizedParamToPlain(void*, vst3::ParamId, vst3::ParamValue value)
{
    return vst3BoundedValue(value);
}

vst3::ParamValue plainParamToNormalized(void*, vst3::ParamId, vst3::ParamValue value)
{
    return vst3BoundedValue(value);
}

vst3::ParamValue getParamNormalized(void* self, vst3::ParamId id)
{
    return effectOf<IEditController>(self).parameterValue(id);
}

vst3::tresult setParamNormalized(void* self, vst3::ParamId id, vst3::ParamValue value)
{
    return effectOf<IEditController>(self).setParameterValue(id, value);
}

vst3::tresult setComponentHandler(void* self, vst3::IComponentHandler* handler)
{
    return effectOf<IEditController>(self).setComponentHandler(handler);
}

vst3::IPlugView* createView(void* self, vst3::FIDString name)
{
    try
    {
        return effectOf<IEditController>(self).createView(name);
    }
    catch (const std::exception&)
    {
        return nullptr;
    }
}

// IUnitInfo: the root unit alone, using the factory program list.

using vst3::IUnitInfo;

std::int32_t getUnitCount(void*)
{
    return 1;
}

vst3::tresult getUnitInfo(void*, std::int32_t index, vst3::UnitInfo* info)
{
    return info != nullptr ? vst3UnitInfo(index, *info) : vst3::kInvalidArgument;
}

std::int32_t getProgramListCount(void*)
{
    return 1;
}

vst3::tresult getProgramListInfo(void*, std::int32_t index, vst3::ProgramListInfo* info)
{
    return info != nullptr ? vst3ProgramListInfo(index, *info) : vst3::kInvalidArgument;
}

vst3::tresult getProgramName(void*, vst3::ProgramListId list, std::int32_t program, vst3::TChar* name)
{
    return vst3ProgramName(list, program, name);
}

vst3::tresult getProgramInfo(void*, vst3::ProgramListId, std::int32_t, const char*, vst3::TChar*)
{
    return vst3::kResultFalse;
}

vst3::tresult hasProgramPitchNames(void*, vst3::ProgramListId, std::int32_t)
{
    return vst3::kResultFalse;
}

vst3::tresult getProgramPitchName(void*, vst3::ProgramListId, std::int32_t, std::int16_t, vst3::TChar*)
{
    return vst3::kResultFalse;
}

vst3::UnitId getSelectedUnit(void*)
{
    return vst3::kRootUnitId;
}

vst3::tresult selectUnit(void*, vst3::UnitId unit)
{
    return unit == vst3::kRootUnitId ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult getUnitByBus(void*, vst3::MediaType, vst3::BusDirection, std::int32_t, std::int32_t,
                           vst3::UnitId* unit)
{
    if (unit == nullptr)
        return vst3::kInvalidArgument;
    *unit = vst3::kRootUnitId;
    return vst3::kResultOk;
}

// Programs are the factory presets: a host cannot write them.
vst3::tresult setUnitProgramData(void*, std::int32_t, std::int32_t, vst3::IBStream*)
{
    return vst3::kNotImplemented;
}

}  // namespace

const vst3::IComponentVtable kVst3ComponentTable{
    kPluginBase<IComponent>, getControllerClassId, setIoMode, getBusCount, getBusInfo,
    getRoutingInfo,          activateBus,          setActive, setState,    getState};

const vst3::IAudioProcessorVtable kVst3ProcessorTable{
    kUnknown<IAudioProcessor>, setBusArrangements, getBusArrangement, canProcessSampleSize, getLatencySamples,
    setupProcessing,           setProcessing,      process,           getTailSamples};

const vst3::IProcessContextRequirementsVtable kVst3ContextRequirementsTable{kUnknown<IProcessContextRequirements>,
                                                                            getProcessContextRequirements};

const vst3::IEditControllerVtable kVst3ControllerTable{kPluginBase<IEditController>,
                                                       setComponentState,
                                                       setControllerState,
                                                       getControllerState,
                                                       getParameterCount,
                                                       getParameterInfo,
                                                       getParamStringByValue,
                                                       getParamValueByString,
                                                       normalizedParamToPlain,
                                                       plainParamToNormalized,
                                                       getParamNormalized,
                                                       setParamNormalized,
                                                       setComponentHandler,
                                                       createView};

const vst3::IUnitInfoVtable kVst3UnitInfoTable{kUnknown<IUnitInfo>,
                                               getUnitCount,
                                               getUnitInfo,
                                               getProgramListCount,
                                               getProgramListInfo,
                                               getProgramName,
                                               getProgramInfo,
                                               hasProgramPitchNames,
                                               getProgramPitchName,
                                               getSelectedUnit,
                                               selectUnit,
                                               getUnitByBus,
                                               setUnitProgramData};
