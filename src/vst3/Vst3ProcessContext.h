#pragma once

// Transport and tempo of one process call. The effect reads none of it; the layout is here so
// a host kit can hand one over and so its size is checked.

#include "vst3/Vst3Types.h"

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

static_assert(sizeof(Chord) == 4 && sizeof(FrameRate) == 8);
static_assert(sizeof(ProcessContext) == 112 && offsetof(ProcessContext, sampleRate) == 8);
static_assert(offsetof(ProcessContext, tempo) == 72 && offsetof(ProcessContext, timeSigNumerator) == 80);
static_assert(offsetof(ProcessContext, chord) == 88 && offsetof(ProcessContext, smpteOffsetSubframes) == 92);
static_assert(offsetof(ProcessContext, frameRate) == 96 && offsetof(ProcessContext, samplesToNextClock) == 104);

}  // namespace vst3
