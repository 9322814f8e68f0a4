#pragma once

#include "Vst3ParameterChanges.h"
#include "vst3/Vst3AudioProcessor.h"

#include <cstdint>

// What a process call hands a plug-in with one stereo input bus and one stereo output bus of
// 32-bit samples: the buses, the kit's two parameter change lists, no events and no process
// context. prepare points it at the caller's channels for one block, so setting up a call
// allocates nothing.
class Vst3StereoProcessData
{
public:
    explicit Vst3StereoProcessData(std::int32_t processMode = vst3::kRealtime);
    // The record points into this object.
    Vst3StereoProcessData(const Vst3StereoProcessData&) = delete;
    Vst3StereoProcessData& operator=(const Vst3StereoProcessData&) = delete;

    // What setupProcessing gets before processing starts, for this sample size and mode.
    vst3::ProcessSetup setup(vst3::SampleRate sampleRate, std::int32_t maxSamplesPerBlock) const;

    // The record for a block of `frames` samples; input and output may be the same channels.
    // It empties the output changes, so they hold what the plug-in adds in this call; the
    // input changes go with the call as the caller filled them. `silentInput` flags the
    // input channels the host knows to be silent (bit n: channel n); the output starts with
    // the same flags, as hosts hand them over, for the plug-in to set right.
    vst3::ProcessData& prepare(const float* const input[2], float* const output[2], std::int32_t frames,
                               std::uint64_t silentInput = 0);
    // The output channels the plug-in flagged silent in the last call.
    std::uint64_t outputSilenceFlags() const { return outputBus.silenceFlags; }

    Vst3ParameterChanges& inputChanges() { return inputParameterChanges; }
    Vst3ParameterChanges& outputChanges() { return outputParameterChanges; }

private:
    static constexpr std::int32_t kChannels = 2;

    // The interface has no const for inputs; a plug-in never writes to them.
    vst3::Sample32* inputChannels[kChannels] = {};
    vst3::Sample32* outputChannels[kChannels] = {};
    vst3::AudioBusBuffers inputBus{};
    vst3::AudioBusBuffers outputBus{};
    Vst3ParameterChanges inputParameterChanges;
    Vst3ParameterChanges outputParameterChanges;
    vst3::ProcessData data{};
};
