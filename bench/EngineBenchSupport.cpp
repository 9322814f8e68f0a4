#include "EngineBenchSupport.h"

#include "params/ParameterTable.h"

#include <algorithm>
#include <cmath>

namespace
{

void post(EngineHost& host, int index, float value)
{
    host.storeParameter(index, value);
    host.Post(index, value);
}

}  // namespace

std::unique_ptr<EngineHost> engineWith(EngineBenchSettings settings)
{
    auto host = EngineHost::create(kEngineBenchRate);
    for (int i = 0; i < kNumParameters; ++i)
        post(*host, i, host->storedParameter(i));
    if (settings == EngineBenchSettings::EveryFeature)
    {
        post(*host, kParamStereoWidth, 0.9f);
        post(*host, kParamPunch, 0.9f);
        post(*host, kParamSizzle, 0.8f);
        post(*host, kParamShape, 0.7f);
        post(*host, kParamGain, 0.6f);
        post(*host, kParamEqNum, 0.5f);
        post(*host, kParamEqGain, 0.8f);
    }
    host->RebuildEqualiser();
    return host;
}

std::vector<float> engineBenchMaterial(std::size_t length, unsigned seed)
{
    std::vector<float> samples(length);
    unsigned state = seed;
    for (std::size_t i = 0; i < length; ++i)
    {
        state = state * 1664525u + 1013904223u;
        const float hiss = static_cast<float>(state >> 9) / 8388608.0f - 0.5f;
        const float beat = std::exp(-static_cast<float>(i % 11025) / 2000.0f);
        samples[i] = 0.3f * beat * std::sin(0.0085f * static_cast<float>(i)) + 0.1f * hiss;
    }
    return samples;
}

void processAll(EngineHost& host, std::vector<float>& left, std::vector<float>& right, std::size_t block)
{
    for (std::size_t start = 0; start < left.size(); start += block)
    {
        float* channels[2] = {left.data() + start, right.data() + start};
        host.processBlock(channels, channels, 2, static_cast<int>(std::min(block, left.size() - start)));
    }
}
