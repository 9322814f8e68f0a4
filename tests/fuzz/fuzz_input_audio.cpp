// libFuzzer target: the input's bytes as raw stereo samples (so NaN, infinities, huge and
// subnormal values all occur) through a fresh engine, then steady material: the output must
// stay finite throughout and, two frames after the bad audio, match the level a clean
// engine gives for the same material.
#include "engine/EngineHost.h"
#include "params/ParameterTable.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace
{

constexpr int kFrame = 2048;
constexpr int kBlock = 256;
constexpr std::size_t kSteadyLength = 8 * kFrame;
constexpr std::size_t kMeasuredFrom = 6 * kFrame;

std::unique_ptr<EngineHost> startedEngine()
{
    auto host = EngineHost::create(44100.0f);
    if (!host)
        std::abort();
    for (int i = 0; i < kNumParameters; ++i)
        host->Post(i, host->storedParameter(i));
    host->RebuildEqualiser();
    return host;
}

void run(EngineHost& host, std::vector<float>& left, std::vector<float>& right)
{
    for (std::size_t start = 0; start < left.size(); start += kBlock)
    {
        const int frames = static_cast<int>(std::min<std::size_t>(kBlock, left.size() - start));
        float* channels[2] = {left.data() + start, right.data() + start};
        host.processBlock(channels, channels, 2, frames);
        for (int i = 0; i < frames; ++i)
        {
            if (!std::isfinite(channels[0][i]) || !std::isfinite(channels[1][i]))
                std::abort();
        }
    }
}

// A steady two-tone pair, its output's level measured once the bad audio has left.
double steadyLevel(EngineHost& host)
{
    std::vector<float> left(kSteadyLength), right(kSteadyLength);
    for (std::size_t i = 0; i < kSteadyLength; ++i)
    {
        left[i] = 0.3f * static_cast<float>(std::sin(0.0712 * static_cast<double>(i)));
        right[i] = 0.3f * static_cast<float>(std::sin(0.1068 * static_cast<double>(i)));
    }
    run(host, left, right);
    double sum = 0.0;
    for (std::size_t i = kMeasuredFrom; i < kSteadyLength; ++i)
        sum += static_cast<double>(left[i]) * left[i] + static_cast<double>(right[i]) * right[i];
    return std::sqrt(sum / static_cast<double>(kSteadyLength - kMeasuredFrom));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const double cleanLevel = []
    {
        auto clean = startedEngine();
        return steadyLevel(*clean);
    }();
    const std::size_t frames = std::min<std::size_t>(size / (2 * sizeof(float)), 4 * kFrame);
    std::vector<float> left(frames), right(frames);
    for (std::size_t i = 0; i < frames; ++i)
    {
        std::memcpy(&left[i], data + 2 * i * sizeof(float), sizeof(float));
        std::memcpy(&right[i], data + (2 * i + 1) * sizeof(float), sizeof(float));
    }
    auto host = startedEngine();
    run(*host, left, right);
    const double level = steadyLevel(*host);
    if (std::fabs(level - cleanLevel) > 0.1 * cleanLevel)
        std::abort();
    return 0;
}
