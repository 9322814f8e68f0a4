#include "Vst3StereoProcessData.h"

Vst3StereoProcessData::Vst3StereoProcessData(std::int32_t processMode)
{
    inputBus.numChannels = kChannels;
    inputBus.channelBuffers32 = inputChannels;
    outputBus.numChannels = kChannels;
    outputBus.channelBuffers32 = outputChannels;
    data.processMode = processMode;
    data.symbolicSampleSize = vst3::kSample32;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inputBus;
    data.outputs = &outputBus;
    data.inputParameterChanges = inputParameterChanges.changes();
    data.outputParameterChanges = outputParameterChanges.changes();
}

vst3::ProcessSetup Vst3StereoProcessData::setup(vst3::SampleRate sampleRate, std::int32_t maxSamplesPerBlock) const
{
    return {data.processMode, data.symbolicSampleSize, maxSamplesPerBlock, sampleRate};
}

vst3::ProcessData& Vst3StereoProcessData::prepare(const float* const input[2], float* const output[2],
                                                  std::int32_t frames, std::uint64_t silentInput)
{
    for (int channel = 0; channel < kChannels; ++channel)
    {
        inputChannels[channel] = const_cast<vst3::Sample32*>(input[channel]);
        outputChannels[channel] = output[channel];
    }
    inputBus.silenceFlags = silentInput;
    outputBus.silenceFlags = silentInput;
    outputParameterChanges.clear();
    data.numSamples = frames;
    return data;
}
