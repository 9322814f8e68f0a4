#pragma once

// VST 2.4's row: a program or bank chunk through effSetChunk, in every size class the effect
// knows (and any other size). The older forms are taken too; an accepted full-size record
// must read back through effGetChunk as it was given.
#include "FuzzedEffect.h"
#include "FuzzedState.h"
#include "effect/StateChunks.h"

#include <cstring>
#include <iterator>

class FuzzedVstState : public FuzzedState
{
public:
    void reset() override { effect.reset(); }

    std::vector<unsigned char> saved() override { return effect.chunk(false); }

    // The first byte picks the form: program or bank, and one of the known sizes or the
    // input's own length; the rest is the chunk.
    Offer offer(const std::uint8_t* data, std::size_t size) override
    {
        if (size == 0)
            return {false, false};
        const bool isPreset = (data[0] & 1) != 0;
        const VstInt32 sizes[] = {kProgramChunkSize, kOlderProgramChunkSize, kBankChunkSize, kOlderBankChunkSize,
                                  static_cast<VstInt32>(size - 1)};
        const VstInt32 chunkSize = sizes[(data[0] >> 1) % std::size(sizes)];
        std::vector<unsigned char> chunk(static_cast<std::size_t>(chunkSize), 0);
        if (!chunk.empty())
            std::memcpy(chunk.data(), data + 1, std::min(chunk.size(), size - 1));
        const std::vector<unsigned char> sent = chunk;

        const bool taken = effect.dispatch(effSetChunk, isPreset ? 1 : 0, chunkSize, chunk.data()) == 1;
        const bool fullProgram = isPreset && chunkSize == kProgramChunkSize;
        const bool fullBank = !isPreset && chunkSize == kBankChunkSize;
        const bool older = chunkSize == (isPreset ? kOlderProgramChunkSize : kOlderBankChunkSize);
        if (taken)
            requireReadBack(isPreset, fullProgram, fullBank, sent);
        return {taken, fullProgram || fullBank || older};
    }

    void requireSaneState() override { effect.requireSaneState(); }

private:
    static constexpr std::size_t kNameOffset = offsetof(ProgramRecord, name);
    static constexpr std::size_t kDisplayOffset = offsetof(ProgramRecord, display);

    static float floatAt(const unsigned char* bytes, std::size_t index)
    {
        float value = 0.0f;
        std::memcpy(&value, bytes + index * sizeof(float), sizeof(value));
        return value;
    }

    // Values as given (a non-finite parameter value becomes finite), the display values past
    // the parameters, the reserved word and the name byte for byte.
    static void requireRecordReadBack(const unsigned char* sent, const unsigned char* back)
    {
        for (std::size_t i = 0; i < kProgramSlots; ++i)
        {
            const float given = floatAt(sent, i);
            const float stored = floatAt(back, i);
            const bool parameter = i < FuzzedEffect::kParameters;
            if (parameter && !std::isfinite(given) ? !std::isfinite(stored)
                                                   : std::memcmp(&given, &stored, sizeof(float)) != 0)
                std::abort();
        }
        const std::size_t displayTail = kDisplayOffset + FuzzedEffect::kParameters * sizeof(float);
        if (std::memcmp(sent + displayTail, back + displayTail, kNameOffset + kProgramNameSize - displayTail) != 0)
            std::abort();
    }

    void requireReadBack(bool isPreset, bool fullProgram, bool fullBank, const std::vector<unsigned char>& sent)
    {
        const std::vector<unsigned char> back = effect.chunk(isPreset);
        if (back.size() != static_cast<std::size_t>(isPreset ? kProgramChunkSize : kBankChunkSize))
            std::abort();
        if (fullProgram)
            requireRecordReadBack(sent.data(), back.data());
        if (fullBank)
        {
            if (std::memcmp(sent.data(), back.data(), sizeof(std::uint32_t)) != 0)
                std::abort();
            requireRecordReadBack(sent.data() + sizeof(std::uint32_t), back.data() + sizeof(std::uint32_t));
        }
    }

    FuzzedEffect effect;
};
