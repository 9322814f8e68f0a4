#pragma once

#include "base/AlignedBuffer.h"
#include "engine/EngineSettings.h"

#include <cstdint>
#include <emmintrin.h>
#include <limits>

// Per lane: `chosen` where mask is set, `other` elsewhere.
inline __m128 selectLanes(__m128 mask, __m128 chosen, __m128 other)
{
    return _mm_or_ps(_mm_and_ps(mask, chosen), _mm_andnot_ps(mask, other));
}

// All bits set in the lanes where a or b is a NaN or an infinity (x - x is NaN only there).
inline __m128 nonFiniteLanes(__m128 a, __m128 b)
{
    return _mm_cmpunord_ps(_mm_sub_ps(a, a), _mm_sub_ps(b, b));
}

// Finds attacks per frequency bin and reshapes them: Punch lifts a bass band around
// 100 Hz, Sizzle a treble band from 7 kHz up, only in a bin's onset frame and (blended)
// the frame after. The onset state also tells the resynthesis when to reset a bin's phase.
class TransientShaper
{
public:
    // Per channel pass: onset energy in the bass and treble bands, for the meters, gathered
    // four bins at a time.
    struct BandSums
    {
        __m128 bass = _mm_setzero_ps();
        __m128 treble = _mm_setzero_ps();

        float bassTotal() const { return horizontalSum(bass); }
        float trebleTotal() const { return horizontalSum(treble); }

    private:
        static float horizontalSum(__m128 v)
        {
            alignas(16) float lanes[4];
            _mm_store_ps(lanes, v);
            return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]);
        }
    };

    // Allocates the per-bin state for frame length N and builds the band tables.
    bool Initialise(int frameSize, float sampleRate);

    // Compares each bin's magnitude, summed over both channels, with the previous frame's.
    void DetectOnsets(const float* magnitudes0, const float* magnitudes1);

    // DetectOnsets for bins firstBin..firstBin+3 (firstBin a multiple of 4), given the sums
    // of their two channels' magnitudes.
    void DetectOnsetsAt(int firstBin, __m128 magnitudeSums)
    {
        // A history that is not finite counts as none, so the next frame is an onset.
        const __m128 stored = _mm_load_ps(energyBank.data() + firstBin);
        const __m128 previous = _mm_andnot_ps(nonFiniteLanes(stored, stored), stored);
        _mm_store_ps(energyBank.data() + firstBin, magnitudeSums);
        const __m128 ratio = _mm_div_ps(magnitudeSums, _mm_add_ps(previous, _mm_set1_ps(kEnergyFloor)));
        // An onset restarts the count; otherwise it grows, stopping at the largest int.
        auto* state = reinterpret_cast<__m128i*>(locks.data() + firstBin);
        const __m128i count = _mm_load_si128(state);
        const __m128i atLimit = _mm_cmpeq_epi32(count, _mm_set1_epi32(std::numeric_limits<std::int32_t>::max()));
        const __m128i grown = _mm_add_epi32(count, _mm_andnot_si128(atLimit, _mm_set1_epi32(1)));
        const __m128i onset = _mm_castps_si128(_mm_cmpgt_ps(ratio, _mm_set1_ps(kOnsetRatio)));
        _mm_store_si128(state, _mm_andnot_si128(onset, grown));
    }

    // Frames since the bin's last onset: 0 in the onset frame, 1 in the frame after.
    std::int32_t framesSinceOnset(int bin) const { return locks[bin]; }
    // All bits set in the lanes of bins firstBin..firstBin+3 that are in their onset frame.
    __m128 onsetLanes(int firstBin) const { return lanesInState(firstBin, 0); }

    // The magnitudes of bins firstBin..firstBin+3 (firstBin a multiple of 4) after Punch (P)
    // and Sizzle (S): the onset frame gets the punched magnitude times the sizzle factor and
    // adds it to the band sums, the frame after a 30 % blend of it, steady frames nothing.
    __m128 ShapeMagnitudes(int firstBin, __m128 magnitudes, float punch, float sizzle, BandSums& sums) const
    {
        const __m128 onset = lanesInState(firstBin, 0);
        const __m128 after = lanesInState(firstBin, 1);
        const __m128 one = _mm_set1_ps(1.0f);
        const __m128 punched = _mm_mul_ps(
            magnitudes,
            _mm_add_ps(_mm_mul_ps(_mm_set1_ps(punch - 1.0f), _mm_load_ps(punchWeight.data() + firstBin)), one));
        const __m128 sizzleFactor =
            _mm_add_ps(_mm_mul_ps(_mm_set1_ps(sizzle - 1.0f), _mm_load_ps(sizzleWeight.data() + firstBin)), one);
        const __m128 onsetResult = _mm_mul_ps(punched, sizzleFactor);
        const __m128 afterResult =
            _mm_mul_ps(_mm_add_ps(_mm_mul_ps(punched, _mm_set1_ps(0.3f)), _mm_mul_ps(magnitudes, _mm_set1_ps(0.7f))),
                       sizzleFactor);

        const __m128i bins = _mm_add_epi32(_mm_set1_epi32(firstBin), _mm_setr_epi32(0, 1, 2, 3));
        const __m128 inBass = _mm_castsi128_ps(_mm_cmplt_epi32(bins, _mm_set1_epi32(bassTopBin)));
        const __m128 inTreble = _mm_castsi128_ps(_mm_and_si128(_mm_cmpgt_epi32(bins, _mm_set1_epi32(trebleLowBin)),
                                                               _mm_cmplt_epi32(bins, _mm_set1_epi32(trebleHighBin))));
        const __m128 onsetEnergy = _mm_and_ps(onset, onsetResult);
        sums.bass = _mm_add_ps(sums.bass, _mm_and_ps(inBass, onsetEnergy));
        sums.treble = _mm_add_ps(sums.treble, _mm_and_ps(_mm_andnot_ps(inBass, inTreble), onsetEnergy));

        return selectLanes(onset, onsetResult, selectLanes(after, afterResult, magnitudes));
    }

    // Zeroes any onset history that is not finite (a resume leaves none behind).
    void ClearNonFiniteHistory();
    // Forgets every onset, as a freshly initialised shaper.
    void ClearHistory();

    // Raises the published onset meters with one channel's sums; they only rise here.
    void UpdateMeters(const BandSums& sums, EngineMeters& meters) const;

    float punchWeightAt(int bin) const { return punchWeight[bin]; }
    float sizzleWeightAt(int bin) const { return sizzleWeight[bin]; }
    int bassTop() const { return bassTopBin; }
    int trebleLow() const { return trebleLowBin; }
    int trebleHigh() const { return trebleHighBin; }

private:
    static constexpr float kOnsetRatio = 2.0f;
    static constexpr float kEnergyFloor = 1e-20f;

    void BuildBandTables(float sampleRate);

    __m128 lanesInState(int firstBin, std::int32_t framesSince) const
    {
        const __m128i state = _mm_load_si128(reinterpret_cast<const __m128i*>(locks.data() + firstBin));
        return _mm_castsi128_ps(_mm_cmpeq_epi32(state, _mm_set1_epi32(framesSince)));
    }

    int N = 0;
    int halfSize = 0;
    int bassTopBin = 0;
    int trebleLowBin = 0;
    int trebleHighBin = 0;
    AlignedBuffer<std::int32_t> locks;
    AlignedBuffer<float> energyBank;
    AlignedBuffer<float> punchWeight;
    AlignedBuffer<float> sizzleWeight;
};
