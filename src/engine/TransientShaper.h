#pragma once

#include "engine/AlignedBuffer.h"
#include "engine/EngineSettings.h"

#include <cstdint>

// Finds attacks per frequency bin and reshapes them: Punch lifts a bass band around
// 100 Hz, Sizzle a treble band from 7 kHz up, only in a bin's onset frame and (blended)
// the frame after. The onset state also tells the resynthesis when to reset a bin's phase.
class TransientShaper
{
public:
    // Per channel pass: onset energy in the bass and treble bands, for the meters.
    struct BandSums
    {
        float bass = 0.0f;
        float treble = 0.0f;
    };

    // Allocates the per-bin state for frame length N and builds the band tables.
    bool Initialise(int frameSize, float sampleRate);

    // Compares each bin's magnitude, summed over both channels, with the previous frame's.
    void DetectOnsets(const float* magnitudes0, const float* magnitudes1);

    // Frames since the bin's last onset: 0 in the onset frame, 1 in the frame after.
    std::int32_t framesSinceOnset(int bin) const { return locks[bin]; }
    const std::int32_t* onsetStates() const { return locks.data(); }

    // The bin's magnitude after Punch (P) and Sizzle (S); onset energy goes to sums.
    float ShapeMagnitude(int bin, float magnitude, float punch, float sizzle, BandSums& sums) const
    {
        const std::int32_t state = locks[bin];
        if (state >= 2)
            return magnitude;
        const float punched = magnitude * ((punch - 1.0f) * punchWeight[bin] + 1.0f);
        const float sizzleFactor = (sizzle - 1.0f) * sizzleWeight[bin] + 1.0f;
        if (state == 1)
            return (punched * 0.3f + magnitude * 0.7f) * sizzleFactor;
        const float result = punched * sizzleFactor;
        if (bin < bassTopBin)
            sums.bass += result;
        else if (bin > trebleLowBin && bin < trebleHighBin)
            sums.treble += result;
        return result;
    }

    // Raises the published onset meters with one channel's sums; they only rise here.
    void UpdateMeters(const BandSums& sums, EngineMeters& meters) const;

    float punchWeightAt(int bin) const { return punchWeight[bin]; }
    float sizzleWeightAt(int bin) const { return sizzleWeight[bin]; }
    int bassTop() const { return bassTopBin; }
    int trebleLow() const { return trebleLowBin; }
    int trebleHigh() const { return trebleHighBin; }

private:
    void BuildBandTables(float sampleRate);

    int N = 0;
    int halfSize = 0;
    int bassTopBin = 0;
    int trebleLowBin = 0;
    int trebleHighBin = 0;
    AlignedBuffer<std::int32_t> locks;
    AlignedBuffer<float> energyBank;
    AlignedBuffer<float> tempOnset;
    AlignedBuffer<float> punchWeight;
    AlignedBuffer<float> sizzleWeight;
};
