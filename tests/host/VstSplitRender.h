#pragma once

#include "support/TestSignals.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A parameter change as formats with sample-accurate automation send it: in a block, at a
// sample offset within it.
struct BlockChange
{
    std::size_t block;
    std::uint32_t offset;
    std::uint32_t id;
    float value;
};

class EffectInstance;

// The signal through the VST 2.4 module in blocks of `blockSize`, each change set where a
// VST host splits its block for it (a block's changes in the order of their offsets): the
// sound the other formats' sample-accurate changes must give. Through a new instance, or
// through one already resumed.
void processSplitting(const EffectInstance& vst, StereoSignal& signal, const std::vector<BlockChange>& changes,
                      std::size_t blockSize);
void renderWithVstSplitting(StereoSignal& signal, const std::vector<BlockChange>& changes, float sampleRate,
                            std::size_t blockSize);
