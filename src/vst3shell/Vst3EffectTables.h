#pragma once

#include "vst3/Vst3Abi.h"

// The interface tables of Vst3Effect: each entry a thin call into the effect, with no
// exception ever crossing into the host.
extern const vst3::IComponentVtable kVst3ComponentTable;
extern const vst3::IAudioProcessorVtable kVst3ProcessorTable;
extern const vst3::IProcessContextRequirementsVtable kVst3ContextRequirementsTable;
extern const vst3::IEditControllerVtable kVst3ControllerTable;
extern const vst3::IUnitInfoVtable kVst3UnitInfoTable;
