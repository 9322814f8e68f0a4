#pragma once

// CLAP's row: the bytes as a CLAP host's state stream, handed over in pieces of a size the
// input picks and, if the input says so, failing part-way.
#include "ClapEventList.h"
#include "ClapHost.h"
#include "ClapMemoryStreams.h"
#include "FuzzNoise.h"
#include "FuzzedState.h"
#include "clapshell/ClapEffect.h"
#include "effect/StateChunks.h"

#include <cstdlib>

class FuzzedClapState : public FuzzedState
{
public:
    FuzzedClapState() : effect(host.host(), clap::Plugin{})
    {
        if (!effect.init() || !effect.activate(44100.0) || !effect.startProcessing())
            std::abort();
        defaultState = saved();
    }

    void reset() override
    {
        ClapMemoryReader reader(defaultState);
        if (!effect.loadState(*reader.stream()))
            std::abort();
    }

    std::vector<unsigned char> saved() override
    {
        ClapMemoryWriter writer;
        if (!effect.saveState(*writer.stream()))
            std::abort();
        return writer.bytes();
    }

    // The first byte picks the piece size and, with its low bit, pads a shorter input to one
    // chunk's length, which makes a whole chunk likely; the second says where (if at all) the
    // stream fails; the rest is the stream.
    Offer offer(const std::uint8_t* data, std::size_t size) override
    {
        if (size < 2)
            return {false, false};
        const std::size_t pieceSize = 1 + data[0] / 2 * 23;
        std::vector<unsigned char> stream(data + 2, data + size);
        if ((data[0] & 1) != 0 && stream.size() < static_cast<std::size_t>(kProgramChunkSize))
            stream.resize(kProgramChunkSize, 0);
        const bool fails = data[1] < 64;
        const std::size_t failAt = static_cast<std::size_t>(data[1]) * 43;
        ClapMemoryReader reader(stream, pieceSize);
        if (fails)
            reader.failAfter(failAt);
        const bool taken = effect.loadState(*reader.stream());
        return {taken,
                stream.size() == static_cast<std::size_t>(kProgramChunkSize) && (!fails || failAt > stream.size())};
    }

    void requireSaneState() override
    {
        for (clap::Id id = 0; id < 42; ++id)
        {
            double value = 0.0;
            char text[64];
            // Within the range the host was told and shown as a text, whatever the stream held.
            if (!effect.parameterValue(id, value) || !(value >= 0.0 && value <= 1.0) ||
                !effect.valueToText(id, value, text, sizeof(text)))
                std::abort();
        }
        FuzzNoise noise(kNoiseFrames);
        noise.playInBlocks(kNoiseBlock,
                           [this](float** channels, std::size_t length)
                           {
                               const clap::AudioBuffer input{channels, nullptr, 2, 0, 0};
                               clap::AudioBuffer output{channels, nullptr, 2, 0, 0};
                               const clap::Process block{-1,      static_cast<std::uint32_t>(length),
                                                         nullptr, &input,
                                                         &output, 1,
                                                         1,       events.inputEvents(),
                                                         events.outputEvents()};
                               effect.process(block);
                           });
        if (!noise.allFinite())
            std::abort();
    }

private:
    ClapHost host;
    ClapEffect effect;
    ClapEventList events;
    std::vector<unsigned char> defaultState;
};
