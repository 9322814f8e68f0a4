#pragma once

// VST3's row: the bytes as a VST3 host's state stream, given to the component's setState or
// the controller's setComponentState, failing part-way if the input says so.
#include "FuzzNoise.h"
#include "FuzzedState.h"
#include "Vst3MemoryStream.h"
#include "Vst3StereoProcessData.h"
#include "effect/StateChunks.h"
#include "vst3shell/Vst3Effect.h"

#include <cstdlib>

class FuzzedVst3State : public FuzzedState
{
public:
    FuzzedVst3State() : effect(Vst3Effect::create())
    {
        vst3::ProcessSetup setup = data.setup(44100.0, static_cast<std::int32_t>(kNoiseBlock));
        if (effect == nullptr || effect->initialize(nullptr) != vst3::kResultOk ||
            effect->setupProcessing(setup) != vst3::kResultOk || effect->setActive(true) != vst3::kResultOk)
            std::abort();
        defaultState = saved();
    }

    ~FuzzedVst3State() override
    {
        effect->terminate();
        effect->release();
    }

    void reset() override
    {
        Vst3MemoryStream stream(defaultState);
        if (effect->setState(stream.stream()) != vst3::kResultOk)
            std::abort();
    }

    std::vector<unsigned char> saved() override
    {
        Vst3MemoryStream stream;
        if (effect->getState(stream.stream()) != vst3::kResultOk)
            std::abort();
        return stream.bytes();
    }

    // The first byte picks the way in (its second bit) and, with its low bit, pads a shorter
    // input to one chunk's length; the second says where (if at all) the stream fails; the
    // rest is the stream.
    Offer offer(const std::uint8_t* input, std::size_t size) override
    {
        if (size < 2)
            return {false, false};
        const bool asComponentState = (input[0] & 2) != 0;
        std::vector<unsigned char> bytes(input + 2, input + size);
        if ((input[0] & 1) != 0 && bytes.size() < static_cast<std::size_t>(kProgramChunkSize))
            bytes.resize(kProgramChunkSize, 0);
        const bool fails = input[1] < 64;
        const std::size_t failAt = static_cast<std::size_t>(input[1]) * 43;
        Vst3MemoryStream stream(bytes);
        if (fails)
            stream.failAfter(failAt);
        const vst3::tresult result =
            asComponentState ? effect->setComponentState(stream.stream()) : effect->setState(stream.stream());
        // A failure after the last byte only keeps the stream from telling that nothing follows.
        return {result == vst3::kResultOk,
                bytes.size() == static_cast<std::size_t>(kProgramChunkSize) && (!fails || failAt >= bytes.size())};
    }

    void requireSaneState() override
    {
        for (vst3::ParamId id = 0; id < 42; ++id)
        {
            const vst3::ParamValue value = effect->parameterValue(id);
            if (!(value >= 0.0 && value <= 1.0))
                std::abort();
        }
        FuzzNoise noise(kNoiseFrames);
        noise.playInBlocks(kNoiseBlock,
                           [this](float** channels, std::size_t length)
                           {
                               if (effect->process(data.prepare(channels, channels,
                                                                static_cast<std::int32_t>(length))) != vst3::kResultOk)
                                   std::abort();
                           });
        if (!noise.allFinite())
            std::abort();
    }

private:
    Vst3Effect* effect;
    Vst3StereoProcessData data;
    std::vector<unsigned char> defaultState;
};
