#pragma once

#include "base/AlignedBuffer.h"
#include "engine/HartleyTransform.h"

#include <cstddef>
#include <vector>

// Side and mid energy per ISO third-octave band (25 Hz to 20 kHz, the bands whose centre lies
// below Nyquist), from Hann-windowed transforms of mid and side over half-overlapping frames.
// Memory is one frame of each, whatever the length of the signal.
class BandWidthAnalysis
{
public:
    // Throws RenderFailure when the transform's memory cannot be had.
    explicit BandWidthAnalysis(int sampleRate);

    void add(const float* left, const float* right, std::size_t frames);
    // Analyses what is left of the signal, padded with silence; add no more after it.
    void finish();

    const std::vector<double>& centres() const { return bandCentres; }
    // Side over mid energy per band: 0 for a band 90 dB or more below the whole signal, at
    // most kWidestRatio.
    std::vector<double> widths() const;

private:
    void analyseFrame();
    void accumulate(const float* signal, std::vector<double>& energies);

    int frameLength;
    HartleyTransform transform;
    AlignedBuffer<float> window;
    AlignedBuffer<float> midFrame;  // the latest frameLength samples, oldest first
    AlignedBuffer<float> sideFrame;
    AlignedBuffer<float> spectrum;
    std::size_t filled = 0;         // samples in the frames
    std::size_t sinceAnalysed = 0;  // of them, not yet in an analysed frame

    std::vector<double> bandCentres;
    std::vector<int> bandOfBin;  // -1 outside every band
    std::vector<double> midEnergy;
    std::vector<double> sideEnergy;
};
