#pragma once

#include "base/AlignedBuffer.h"
#include "engine/EngineSettings.h"
#include "engine/EqualiserCurve.h"
#include "engine/HartleyTransform.h"
#include "engine/ProgramRecord.h"
#include "engine/SpectrumHandOff.h"
#include "engine/StereoImageAnalysis.h"
#include "engine/TransientShaper.h"

#include <algorithm>
#include <atomic>
#include <complex>

// The signal path for one frame length N. Per sample: input rings, the dry delay,
// narrowing, Shape, bypass crossfade and clip detection. Every half frame: the spectral
// stage (widening, equaliser, Punch, Sizzle, gain, phase-vocoder resynthesis) and the
// windowed overlap-add. While an editor looks, every block's input and output are measured
// for the stereo scope. Built and filled on a control thread, then used by the audio
// thread only.
class StereoEngine
{
public:
    static constexpr int kDefaultFrameSize = 2048;
    static constexpr int kHighRateFrameSize = 4096;
    static constexpr float kOverlap = 2.0f;
    // The processed signal leaves the overlap-add one sample after the frame it was analysed
    // in, so it arrives a frame and one sample late: the delay hosts must compensate.
    static constexpr int kProcessedPathExtraDelay = 1;
    static constexpr int processedDelay(int frameSize) { return frameSize + kProcessedPathExtraDelay; }

    StereoEngine(EngineSettings& settings, EngineMeters& meters, SpectrumHandOff& spectrum,
                 StereoImageHandOff& stereoImage);
    StereoEngine(const StereoEngine&) = delete;
    StereoEngine& operator=(const StereoEngine&) = delete;

    // The frame length for a sample rate: longer frames above 63999 Hz keep the resolution.
    static int frameSizeForRate(float sampleRate);

    // (Re)builds every buffer for frame length N at the given rate; `path` allows AVX or
    // not. False when memory ran out; the engine is then empty and must not process.
    bool Initialise(int frameSize, float sampleRate, VectorPath path = VectorPath::Widest);

    // Zeroes the input and output rings and restarts the hop count.
    void ClearHistory();
    // ClearHistory, and the phase and onset state too: as a freshly initialised engine.
    void ClearAllHistory();

    // Rebuilds the equaliser curve and bin tables from the stored points with a range in
    // dB, then marks the engine ready. Never allocates, so the audio thread may call it.
    void RebuildEqualiser(const ProgramRecord& program, float eqRange);

    bool isReady() const { return ready.load(std::memory_order_acquire); }

    void ProcessSample(float inLeft, float inRight, float* outLeft, float* outRight);

    // ProcessSample over a block (in place allowed), raising the two peak levels.
    void ProcessBlock(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int sampleFrames,
                      float& peakLeft, float& peakRight);

    int frameSize() const { return N; }
    float sampleRate() const { return rate; }
    float binHz() const { return binWidthHz; }
    const float* equaliserTable() const { return equaliser.data(); }
    const float* binPositionTable() const { return eqPowerTable.data(); }
    const TransientShaper& transients() const { return transientShaper; }
    // A bin's running synthesis phasor and the unit phasor of its latest analysis.
    std::complex<float> synthesisPhase(int channel, int bin) const
    {
        return {sumPhase[channel][bin], sumPhase[channel][halfSize + bin]};
    }
    std::complex<float> inputPhase(int channel, int bin) const
    {
        return {lastPhase[channel][bin], lastPhase[channel][halfSize + bin]};
    }

private:
    void releaseBuffers();

    // Visits `count` ring positions from `first` (wrapped) as contiguous runs:
    // body(ring position, offset from first, run length), so the loops go four at a time.
    template <typename Body> void forEachRingRun(int first, int count, Body&& body) const
    {
        int position = first & ringMask;
        for (int offset = 0; offset < count;)
        {
            const int run = std::min(count - offset, ringMask + 1 - position);
            body(position, offset, run);
            offset += run;
            position = 0;
        }
    }
    // Peak and clip state of one block: the one-pair path's in two lanes, the four-sample
    // path's per channel.
    struct BlockLevels
    {
        __m128 pairPeak = _mm_setzero_ps();
        __m128 leftPeak = _mm_setzero_ps();
        __m128 rightPeak = _mm_setzero_ps();
        __m128 quadClip = _mm_setzero_ps();
        bool clipped = false;
    };
    // Samples from ring position `position` up to the ring's end.
    int untilRingEnd(int position) const { return ringMask + 1 - (position & ringMask); }
    void processPair(float inLeft, float inRight, float* outLeft, float* outRight, EngineSettings& s,
                     BlockLevels& levels);
    void processQuads(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int count,
                      EngineSettings& s, BlockLevels& levels);
    // processQuads eight samples per AVX register, `count` a multiple of 8, with the same bits.
    void processOctets(const float* inLeft, const float* inRight, float* outLeft, float* outRight, int count,
                       EngineSettings& s, BlockLevels& levels);
    void runFrame();
    // Both channels' onset energies of one frame, for the meters.
    struct FrameSums
    {
        TransientShaper::BandSums channel[2];
    };
    void processSpectralFrame();
    FrameSums reshapeBins();
    // reshapeBins eight bins per register, with the same bits.
    FrameSums reshapeBinsAvx();
    void addDisplaySpectrum(int channel);
    void buildDisplayTables();
    void overlapAdd();

    EngineSettings& settings;
    EngineMeters& meters;
    SpectrumHandOff& spectrum;
    StereoImageAnalysis stereoImage;
    std::atomic<bool> ready{false};

    int N = 0;
    int ringMask = 0;  // 2N - 1, for both rings
    int halfSize = 0;
    int hopSize = 0;
    int freshCount = 0;
    float rate = 0.0f;
    float binWidthHz = 0.0f;
    float outScale = 0.0f;
    bool avx = false;

    int inPos = 0;
    int outPos = 0;
    int hopCount = 0;

    AlignedBuffer<float> window;
    AlignedBuffer<float> equaliser;
    AlignedBuffer<float> eqPowerTable;
    AlignedBuffer<float> binEqGain;  // the equaliser's gain at each analysis bin
    AlignedBuffer<float> inBuff[2];
    AlignedBuffer<float> outBuff[2];
    AlignedBuffer<float> tempBuff[2];
    AlignedBuffer<float> lastPhase[2];
    AlignedBuffer<float> sumPhase[2];
    // Per display point: the lower analysis bin, the upper one and their weights.
    AlignedBuffer<std::int32_t> displayLowerBin;
    AlignedBuffer<std::int32_t> displayUpperBin;
    AlignedBuffer<float> displayLowerWeight;
    AlignedBuffer<float> displayUpperWeight;
    EqPointList eqPoints;
    HartleyTransform transform;
    TransientShaper transientShaper;
};
