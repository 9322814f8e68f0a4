// Runs the engine for a fixed number of hops so that callgrind can count the instructions
// of one hop; bench/count-engine-instructions.sh runs it and prints the figure. Only
// measureHops is counted (callgrind's --toggle-collect), so setting the engine up, the
// material and the first frames, which build up from silence, stay out of the count.
//
// usage: engine_hop_instructions every|default

#include "EngineBenchSupport.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{

constexpr std::size_t kHopSamples = 1024;  // half the 2048-sample frame at 44.1 kHz
constexpr std::size_t kWarmUpHops = 8;
constexpr std::size_t kMeasuredHops = 200;
constexpr std::size_t kBlock = 512;

// Not inlined, so that callgrind can switch counting on and off at its entry and exit.
[[gnu::noinline]] void measureHops(EngineHost& host, std::vector<float>& left, std::vector<float>& right)
{
    processAll(host, left, right, kBlock);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool every = argc == 2 && std::strcmp(argv[1], "every") == 0;
    if (argc != 2 || (!every && std::strcmp(argv[1], "default") != 0))
    {
        std::fprintf(stderr, "usage: engine_hop_instructions every|default\n");
        return 2;
    }
    auto host = engineWith(every ? EngineBenchSettings::EveryFeature : EngineBenchSettings::Defaults);
    if (!host)
        return 1;

    std::vector<float> left = engineBenchMaterial((kWarmUpHops + kMeasuredHops) * kHopSamples, 1);
    std::vector<float> right = engineBenchMaterial((kWarmUpHops + kMeasuredHops) * kHopSamples, 2);
    std::vector<float> warmUpLeft(left.begin(), left.begin() + kWarmUpHops * kHopSamples);
    std::vector<float> warmUpRight(right.begin(), right.begin() + kWarmUpHops * kHopSamples);
    left.erase(left.begin(), left.begin() + kWarmUpHops * kHopSamples);
    right.erase(right.begin(), right.begin() + kWarmUpHops * kHopSamples);

    processAll(*host, warmUpLeft, warmUpRight, kBlock);
    measureHops(*host, left, right);
    std::printf("hops %zu\n", kMeasuredHops);
    return 0;
}
