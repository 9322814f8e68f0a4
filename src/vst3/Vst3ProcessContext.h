#pragma once

// Transport and tempo of one process call, and IProcessContextRequirements, through which a
// processor tells the host which of it to fill in (a class of SDK 3.7 or later must offer
// it). The effect reads none of it; the layout is here so a host kit can hand one over and
// so its size is checked.

#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

struct Chord
{
    std::uint8_t keyNote;
    std::uint8_t rootNote;
    std::int16_t chordMask;
};

struct FrameRate
{
    std::uint32_t framesPerSecond;
    std::uint32_t flags;
};

struct ProcessContext
{
    std::uint32_t state;  // which of the fields below hold something
    SampleRate sampleRate;
    TSamples projectTimeSamples;
    std::int64_t systemTime;
    TSamples continousTimeSamples;
    TQuarterNotes projectTimeMusic;
    TQuarterNotes barPositionMusic;
    TQuarterNotes cycleStartMusic;
    TQuarterNotes cycleEndMusic;
    double tempo;
    std::int32_t timeSigNumerator;
    std::int32_t timeSigDenominator;
    Chord chord;
    std::int32_t smpteOffsetSubframes;
    FrameRate frameRate;
    std::int32_t samplesToNextClock;
};

// IProcessContextRequirements::getProcessContextRequirements flags, one per field group.
constexpr std::uint32_t kNeedSystemTime = 1 << 0;
constexpr std::uint32_t kNeedContinousTimeSamples = 1 << 1;
constexpr std::uint32_t kNeedProjectTimeMusic = 1 << 2;
constexpr std::uint32_t kNeedBarPositionMusic = 1 << 3;
constexpr std::uint32_t kNeedCycleMusic = 1 << 4;
constexpr std::uint32_t kNeedSamplesToNextClock = 1 << 5;
constexpr std::uint32_t kNeedTempo = 1 << 6;
constexpr std::uint32_t kNeedTimeSignature = 1 << 7;
constexpr std::uint32_t kNeedChord = 1 << 8;
constexpr std::uint32_t kNeedFrameRate = 1 << 9;
constexpr std::uint32_t kNeedTransportState = 1 << 10;

struct IProcessContextRequirementsVtable
{
    FUnknownVtable unknown;
    // Asked on the UI thread once processing is set up.
    std::uint32_t (*getProcessContextRequirements)(void* self);
};

struct IProcessContextRequirements
{
    const IProcessContextRequirementsVtable* vtable;
};

constexpr Tuid kIProcessContextRequirementsIid = makeTuid(0x2A654303, 0xEF764E3D, 0x95B5FE83, 0x730EF6D0);

static_assert(sizeof(Chord) == 4 && sizeof(FrameRate) == 8);
static_assert(sizeof(ProcessContext) == 112 && offsetof(ProcessContext, sampleRate) == 8);
static_assert(offsetof(ProcessContext, tempo) == 72 && offsetof(ProcessContext, timeSigNumerator) == 80);
static_assert(offsetof(ProcessContext, chord) == 88 && offsetof(ProcessContext, smpteOffsetSubframes) == 92);
static_assert(offsetof(ProcessContext, frameRate) == 96 && offsetof(ProcessContext, samplesToNextClock) == 104);
static_assert(offsetof(IProcessContextRequirementsVtable, getProcessContextRequirements) == slotOffset(3));
static_assert(sizeof(IProcessContextRequirementsVtable) == slotOffset(4));

}  // namespace vst3
