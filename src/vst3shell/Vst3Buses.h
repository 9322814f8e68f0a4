#pragma once

#include "vst3/Vst3AudioProcessor.h"
#include "vst3/Vst3Component.h"

#include <cstdint>

// The effect's buses: one stereo audio input and one stereo audio output, main and active
// from the start, and no event buses. Nothing else can be arranged.

std::int32_t vst3BusCount(vst3::MediaType type, vst3::BusDirection direction);
vst3::tresult vst3BusInfo(vst3::MediaType type, vst3::BusDirection direction, std::int32_t index,
                          vst3::BusInfo& bus);
// Either state is taken for the two audio buses; a process call without one is refused.
vst3::tresult vst3ActivateBus(vst3::MediaType type, vst3::BusDirection direction, std::int32_t index);
// kResultTrue for one stereo input and one stereo output; kResultFalse, keeping them, for
// anything else.
vst3::tresult vst3SetBusArrangements(const vst3::SpeakerArrangement* inputs, std::int32_t inputCount,
                                     const vst3::SpeakerArrangement* outputs, std::int32_t outputCount);
vst3::tresult vst3BusArrangement(vst3::BusDirection direction, std::int32_t index,
                                 vst3::SpeakerArrangement& arrangement);
