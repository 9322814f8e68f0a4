#pragma once

// The effect as a host sees it, for the plug-in fuzz targets: one instance per process
// (building one loads the skin), reached only through its AEffect record, and the checks
// every target makes after each input. A failed check aborts, so libFuzzer keeps the input.
#include "FuzzNoise.h"
#include "shell/EffectVST.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

class FuzzedEffect
{
public:
    static constexpr int kParameters = 42;

    FuzzedEffect() : effect((new EffectVST(nullptr))->getAeffect())
    {
        dispatch(effOpen);
        resumeAt(44100.0f);
        defaultBank = chunk(false);
        if (defaultBank.empty())
            std::abort();
    }

    ~FuzzedEffect() { dispatch(effClose); }
    FuzzedEffect(const FuzzedEffect&) = delete;
    FuzzedEffect& operator=(const FuzzedEffect&) = delete;

    AEffect* aeffect() const { return effect; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const
    {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }

    void resumeAt(float rate) const
    {
        dispatch(effMainsChanged, 0, 0);
        dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        dispatch(effMainsChanged, 0, 1);
    }

    std::vector<unsigned char> chunk(bool isPreset) const
    {
        void* data = nullptr;
        const VstIntPtr size = dispatch(effGetChunk, isPreset ? 1 : 0, 0, &data);
        if (size <= 0 || data == nullptr)
            return {};
        const auto* bytes = static_cast<const unsigned char*>(data);
        return {bytes, bytes + size};
    }

    // Back to the built-in program at 44.1 kHz in stereo, so each input starts alike.
    void reset()
    {
        VstSpeakerArrangement stereo{};
        stereo.numChannels = 2;
        dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&stereo), &stereo);
        std::vector<unsigned char> bank = defaultBank;
        dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bank.size()), bank.data());
        resumeAt(44100.0f);
    }

    // Runs frames of noise in place; true when every output sample is finite.
    bool processesFinitely(int frames, int blockSize = static_cast<int>(kNoiseBlock))
    {
        FuzzNoise noise(static_cast<std::size_t>(frames));
        noise.playInBlocks(static_cast<std::size_t>(blockSize), [this](float** channels, std::size_t length)
                           { effect->processReplacing(effect, channels, channels, static_cast<VstInt32>(length)); });
        return noise.allFinite();
    }

    // Every parameter finite and a short block of noise giving finite output.
    void requireSaneState()
    {
        for (int index = 0; index < kParameters; ++index)
        {
            if (!std::isfinite(effect->getParameter(effect, index)))
                std::abort();
        }
        if (!processesFinitely(static_cast<int>(kNoiseFrames)))
            std::abort();
    }

private:
    AEffect* effect;
    std::vector<unsigned char> defaultBank;
};
