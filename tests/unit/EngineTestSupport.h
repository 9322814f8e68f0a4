#pragma once

#include "engine/EngineHost.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Brings an EngineHost up the way the effect does on a program change: every stored value
// posted, the rate applied, the curve built.
inline std::unique_ptr<EngineHost> startedEngine(float sampleRate = 44100.0f, VectorPath path = VectorPath::Widest)
{
    auto host = EngineHost::create(sampleRate, path);
    EXPECT_NE(host, nullptr);
    for (int i = 0; i < kNumParameters; ++i)
    {
        host->storeParameter(i, host->storedParameter(i));
        host->Post(i, host->storedParameter(i));
    }
    host->changeSampleRate(0, sampleRate);
    host->RebuildEqualiser();
    return host;
}

inline void setParameter(EngineHost& host, int index, float value)
{
    host.storeParameter(index, value);
    host.Post(index, value);
}

// Runs stereo material through the block process in blocks of 256, in place.
inline void runBlocks(EngineHost& host, std::vector<float>& left, std::vector<float>& right)
{
    constexpr std::size_t kBlock = 256;
    for (std::size_t start = 0; start < left.size(); start += kBlock)
    {
        const int frames = static_cast<int>(std::min(kBlock, left.size() - start));
        float* channels[2] = {left.data() + start, right.data() + start};
        host.processBlock(channels, channels, 2, frames);
    }
}
