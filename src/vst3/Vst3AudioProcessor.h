#pragma once

// The audio processor: what the host agrees with the component before processing (speaker
// arrangements, sample size, block size and rate) and the process call with its buffers,
// parameter changes and events. Also the speaker sets and the sub-category names a class
// is listed under.

#include "vst3/Vst3Types.h"
#include "vst3/Vst3Unknown.h"

#include <cstddef>
#include <cstdint>

namespace vst3
{

struct IParameterChanges;
struct IEventList;
struct ProcessContext;

// PClassInfo2::subCategories words (several are joined with '|').
constexpr char kPlugTypeFx[] = "Fx";
constexpr char kPlugTypeFxSpatial[] = "Fx|Spatial";  // stereo enhancers, mono to stereo
constexpr char kPlugTypeFxEq[] = "Fx|EQ";
constexpr char kPlugTypeFxDynamics[] = "Fx|Dynamics";
constexpr char kPlugTypeStereo[] = "Stereo";  // works in stereo only

constexpr Speaker kSpeakerL = 1 << 0;
constexpr Speaker kSpeakerR = 1 << 1;
constexpr SpeakerArrangement kEmptyArrangement = 0;
constexpr SpeakerArrangement kStereo = kSpeakerL | kSpeakerR;

// Symbolic sample sizes.
constexpr std::int32_t kSample32 = 0;
constexpr std::int32_t kSample64 = 1;

// Process modes. The host calls setupProcessing again to move from or to kOffline.
constexpr std::int32_t kRealtime = 0;
constexpr std::int32_t kPrefetch = 1;
constexpr std::int32_t kOffline = 2;

// IAudioProcessor::getTailSamples.
constexpr std::uint32_t kNoTail = 0;
constexpr std::uint32_t kInfiniteTail = 0xFFFFFFFF;

struct ProcessSetup
{
    std::int32_t processMode;
    std::int32_t symbolicSampleSize;
    std::int32_t maxSamplesPerBlock;
    SampleRate sampleRate;
};

// One bus's channels. Even an inactive bus has its array of channel pointers (which may then
// be null); numChannels is 0 when the host only flushes parameters.
struct AudioBusBuffers
{
    std::int32_t numChannels;
    std::uint64_t silenceFlags;  // bit n set: channel n is all zeros
    union
    {
        Sample32** channelBuffers32;
        Sample64** channelBuffers64;
    };
};

// One process call; every pointer but the buses may be null.
struct ProcessData
{
    std::int32_t processMode;
    std::int32_t symbolicSampleSize;
    std::int32_t numSamples;
    std::int32_t numInputs;  // audio buses, as IComponent counts them
    std::int32_t numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

struct IAudioProcessorVtable
{
    FUnknownVtable unknown;
    // kResultTrue when these are now the arrangements; kResultFalse when the component keeps or
    // picks others (which getBusArrangement then reports).
    tresult (*setBusArrangements)(void* self, SpeakerArrangement* inputs, std::int32_t inputCount,
                                  SpeakerArrangement* outputs, std::int32_t outputCount);
    tresult (*getBusArrangement)(void* self, BusDirection direction, std::int32_t index,
                                 SpeakerArrangement* arrangement);
    tresult (*canProcessSampleSize)(void* self, std::int32_t symbolicSampleSize);
    std::uint32_t (*getLatencySamples)(void* self);
    tresult (*setupProcessing)(void* self, ProcessSetup* setup);
    tresult (*setProcessing)(void* self, TBool state);
    tresult (*process)(void* self, ProcessData* data);
    std::uint32_t (*getTailSamples)(void* self);
};

struct IAudioProcessor
{
    const IAudioProcessorVtable* vtable;
};

constexpr Tuid kIAudioProcessorIid = makeTuid(0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D);

static_assert(sizeof(ProcessSetup) == 24 && offsetof(ProcessSetup, maxSamplesPerBlock) == 8);
static_assert(offsetof(ProcessSetup, sampleRate) == 16);
static_assert(sizeof(AudioBusBuffers) == 24 && offsetof(AudioBusBuffers, silenceFlags) == 8);
static_assert(offsetof(AudioBusBuffers, channelBuffers32) == 16 && offsetof(AudioBusBuffers, channelBuffers64) == 16);
static_assert(sizeof(ProcessData) == 80 && offsetof(ProcessData, numSamples) == 8);
static_assert(offsetof(ProcessData, numOutputs) == 16 && offsetof(ProcessData, inputs) == 24);
static_assert(offsetof(ProcessData, outputs) == 32 && offsetof(ProcessData, inputParameterChanges) == 40);
static_assert(offsetof(ProcessData, outputParameterChanges) == 48 && offsetof(ProcessData, inputEvents) == 56);
static_assert(offsetof(ProcessData, outputEvents) == 64 && offsetof(ProcessData, processContext) == 72);
static_assert(offsetof(IAudioProcessorVtable, setBusArrangements) == slotOffset(3));
static_assert(offsetof(IAudioProcessorVtable, setupProcessing) == slotOffset(7));
static_assert(offsetof(IAudioProcessorVtable, process) == slotOffset(9));
static_assert(sizeof(IAudioProcessorVtable) == slotOffset(11));

}  // namespace vst3
