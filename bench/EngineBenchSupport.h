#pragma once

// The engine set up as the benchmarks drive it, and the material they feed it.

#include "engine/EngineHost.h"

#include <cstddef>
#include <memory>
#include <vector>

enum class EngineBenchSettings
{
    Defaults,
    EveryFeature,
};

constexpr float kEngineBenchRate = 44100.0f;

// An engine at 44.1 kHz with every parameter posted, as a host's first block sees it.
std::unique_ptr<EngineHost> engineWith(EngineBenchSettings settings);

// Drums-and-noise material, so onsets and steady frames both occur.
std::vector<float> engineBenchMaterial(std::size_t length, unsigned seed);

// Runs both channels through the engine in place, block samples per call.
void processAll(EngineHost& host, std::vector<float>& left, std::vector<float>& right, std::size_t block);
