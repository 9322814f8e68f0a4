#pragma once

// The scalar types the VST 3 interfaces share: texts, parameter ids and values, samples,
// speaker sets.

#include <cstdint>

namespace vst3
{

// UTF-16 code unit; the interface's names and value texts are fields of these.
using TChar = char16_t;
constexpr int kString128Size = 128;  // characters, NUL included
using String128 = TChar[kString128Size];

using MediaType = std::int32_t;
using BusDirection = std::int32_t;
using BusType = std::int32_t;
using IoMode = std::int32_t;
using UnitId = std::int32_t;

using ParamId = std::uint32_t;  // 0 to 0x7FFFFFFF
using ParamValue = double;      // normalised: 0 to 1
constexpr ParamId kNoParamId = 0xFFFFFFFF;

using Sample32 = float;
using Sample64 = double;
using SampleRate = double;
using TSamples = std::int64_t;
using TQuarterNotes = double;

// One bit per speaker.
using SpeakerArrangement = std::uint64_t;
using Speaker = std::uint64_t;

static_assert(sizeof(TChar) == 2 && sizeof(String128) == 256);

}  // namespace vst3
