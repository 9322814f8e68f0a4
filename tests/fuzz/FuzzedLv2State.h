#pragma once

// LV2's row: the bytes as what an LV2 host hands back to the state extension's restore,
// under the program property or another, typed as a chunk or as something else. Only a whole
// program chunk of the chunk type may be taken.
#include "FuzzNoise.h"
#include "FuzzedState.h"
#include "effect/StateChunks.h"
#include "identity/EffectIdentity.h"
#include "lv2shell/Lv2Effect.h"
#include "lv2shell/Lv2PluginFacts.h"

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <array>
#include <cstdlib>
#include <map>
#include <string>

class FuzzedLv2State : public FuzzedState
{
public:
    FuzzedLv2State()
    {
        const LV2_Feature mapFeature{LV2_URID__map, &map};
        const LV2_Feature* features[] = {&mapFeature, nullptr};
        effect = Lv2Effect::create(44100.0, features);
        if (!effect)
            std::abort();
        for (std::uint32_t port = 0; port < static_cast<std::uint32_t>(kNumParameters); ++port)
            effect->connectPort(port, &controls[port]);
        effect->connectPort(lv2_facts::kLatency, &latency);
        effect->activate();
        defaultState = saved();
        programKey =
            map.map(map.handle, (std::string(kEffectIdentity.lv2Uri) + lv2_facts::kProgramPropertyFragment).c_str());
        chunkType = map.map(map.handle, LV2_ATOM__Chunk);
    }

    void reset() override
    {
        if (!restore({programKey, chunkType, defaultState}))
            std::abort();
    }

    std::vector<unsigned char> saved() override
    {
        std::vector<unsigned char> bytes;
        if (effect->saveState(store, &bytes) != LV2_STATE_SUCCESS)
            std::abort();
        return bytes;
    }

    // The first byte picks the property (bit 0: another one), the type (bit 1: another one)
    // and whether a short value is padded to a whole chunk (bit 2); the rest is the value.
    Offer offer(const std::uint8_t* data, std::size_t size) override
    {
        if (size < 1)
            return {false, false};
        HandedBack handed{(data[0] & 1) != 0 ? programKey + 100 : programKey,
                          (data[0] & 2) != 0 ? chunkType + 100 : chunkType,
                          std::vector<unsigned char>(data + 1, data + size)};
        if ((data[0] & 4) != 0 && handed.value.size() < static_cast<std::size_t>(kProgramChunkSize))
            handed.value.resize(kProgramChunkSize, 0);
        return {restore(handed), handed.key == programKey && handed.type == chunkType &&
                                     handed.value.size() == static_cast<std::size_t>(kProgramChunkSize)};
    }

    // The ports are the host's and never moved, so only the sound is left to check.
    void requireSaneState() override
    {
        FuzzNoise noise(kNoiseFrames);
        noise.playInBlocks(kNoiseBlock,
                           [this](float** channels, std::size_t length)
                           {
                               effect->connectPort(lv2_facts::kAudioInLeft, channels[0]);
                               effect->connectPort(lv2_facts::kAudioInRight, channels[1]);
                               effect->connectPort(lv2_facts::kAudioOutLeft, channels[0]);
                               effect->connectPort(lv2_facts::kAudioOutRight, channels[1]);
                               effect->run(static_cast<std::uint32_t>(length));
                           });
        if (!noise.allFinite())
            std::abort();
    }

private:
    struct HandedBack
    {
        LV2_URID key;
        LV2_URID type;
        std::vector<unsigned char> value;
    };

    // The host's URI map: each URI the next number from 1.
    static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri)
    {
        auto& uris = *static_cast<std::map<std::string, LV2_URID>*>(handle);
        return uris.emplace(uri, static_cast<LV2_URID>(uris.size() + 1)).first->second;
    }

    static const void* retrieve(LV2_State_Handle handle, std::uint32_t key, std::size_t* size, std::uint32_t* type,
                                std::uint32_t* flags)
    {
        const auto& handed = *static_cast<const HandedBack*>(handle);
        if (key != handed.key)
            return nullptr;
        *size = handed.value.size();
        *type = handed.type;
        *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
        return handed.value.data();
    }

    static LV2_State_Status store(LV2_State_Handle handle, std::uint32_t, const void* value, std::size_t size,
                                  std::uint32_t, std::uint32_t)
    {
        auto& saved = *static_cast<std::vector<unsigned char>*>(handle);
        const auto* bytes = static_cast<const unsigned char*>(value);
        saved.assign(bytes, bytes + size);
        return LV2_STATE_SUCCESS;
    }

    bool restore(const HandedBack& handed)
    {
        return effect->restoreState(retrieve, const_cast<HandedBack*>(&handed)) == LV2_STATE_SUCCESS;
    }

    std::map<std::string, LV2_URID> uris;
    LV2_URID_Map map{&uris, mapUri};
    std::unique_ptr<Lv2Effect> effect;
    // The host's control values: the defaults, never moved, so only the state sets values.
    std::array<float, kNumParameters> controls = []
    {
        std::array<float, kNumParameters> defaults{};
        for (int i = 0; i < kNumParameters; ++i)
            defaults[static_cast<std::size_t>(i)] = kParameterTable[i].defaultValue;
        return defaults;
    }();
    float latency = 0.0f;
    std::vector<unsigned char> defaultState;
    LV2_URID programKey = 0;
    LV2_URID chunkType = 0;
};
