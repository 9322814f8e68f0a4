#include "engine/TransientShaper.h"

#include <algorithm>
#include <cmath>
#include <emmintrin.h>

namespace
{

constexpr float kSizzleMeterScale = 0.3f;

float smoothstep(float x)
{
    return (3.0f - 2.0f * x) * x * x;
}

// Rises from 0 at `from` to 1 at `to` (falls when to < from). At absurd rates both ends can
// round to the same value; 0/0 then counts as 0.
float bandEdge(float bin, float from, float to)
{
    const float t = (bin - from) / (to - from);
    return smoothstep(t > 0.0f ? std::min(t, 1.0f) : 0.0f);
}

// A band edge as a bin number. At very low rates the edges lie far beyond every bin: they
// are limited before the conversion, which has no int for them otherwise.
int bandBin(float bin)
{
    constexpr float kBeyondEveryFrame = 16777216.0f;
    return static_cast<int>(std::min(bin, kBeyondEveryFrame));
}

}  // namespace

bool TransientShaper::Initialise(int frameSize, float sampleRate)
{
    N = frameSize;
    halfSize = N / 2;
    if (!locks.allocate(halfSize, "locks") || !energyBank.allocate(halfSize, "energyBank") ||
        !punchWeight.allocate(halfSize, "punchWeight") || !sizzleWeight.allocate(halfSize, "sizzleWeight"))
        return false;
    BuildBandTables(sampleRate);
    return true;
}

void TransientShaper::BuildBandTables(float sampleRate)
{
    const float binsPerHertz = static_cast<float>(N) / sampleRate;
    trebleLowBin = bandBin(12000.0f * binsPerHertz);
    trebleHighBin = bandBin(18000.0f * binsPerHertz);
    bassTopBin = bandBin(190.0f * binsPerHertz);
    for (int i = 0; i < halfSize; ++i)
    {
        const float bin = static_cast<float>(i);
        punchWeight[i] = bandEdge(bin, 10.0f * binsPerHertz, 100.0f * binsPerHertz) *
                         bandEdge(bin, 190.0f * binsPerHertz, 100.0f * binsPerHertz);
        // The integer band bins stand for 12 and 18 kHz in the divisors.
        sizzleWeight[i] = bandEdge(bin, 7000.0f * binsPerHertz, static_cast<float>(trebleLowBin)) *
                          bandEdge(bin, 22050.0f * binsPerHertz, static_cast<float>(trebleHighBin));
    }
}

// Audio thread: four bins at a time, no allocation.
void TransientShaper::DetectOnsets(const float* magnitudes0, const float* magnitudes1)
{
    for (int k = 0; k < halfSize; k += 4)
        DetectOnsetsAt(k, _mm_add_ps(_mm_load_ps(magnitudes0 + k), _mm_load_ps(magnitudes1 + k)));
}

void TransientShaper::ClearNonFiniteHistory()
{
    for (int bin = 0; bin < halfSize; ++bin)
    {
        if (!std::isfinite(energyBank[bin]))
            energyBank[bin] = 0.0f;
    }
}

void TransientShaper::ClearHistory()
{
    std::fill(energyBank.data(), energyBank.data() + halfSize, 0.0f);
    std::fill(locks.data(), locks.data() + halfSize, 0);
}

void TransientShaper::UpdateMeters(const BandSums& sums, EngineMeters& meters) const
{
    const float bass = sums.bassTotal() / static_cast<float>(N);
    const float treble = sums.trebleTotal() / (static_cast<float>(N) * kSizzleMeterScale);
    if (bass > meters.bassMeter.load(std::memory_order_relaxed))
        meters.bassMeter.store(bass, std::memory_order_relaxed);
    if (treble > meters.sizzleMeter.load(std::memory_order_relaxed))
        meters.sizzleMeter.store(treble, std::memory_order_relaxed);
}
