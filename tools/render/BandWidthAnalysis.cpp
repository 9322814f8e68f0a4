#include "BandWidthAnalysis.h"

#include "ImageReport.h"
#include "RenderErrors.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

// The ISO third-octave bands by their nominal centres; their edges come from the exact
// centres 1000 Hz x 2^(n/3).
constexpr double kNominalCentres[] = {25,   31.5, 40,   50,   63,   80,   100,   125,   160,   200,
                                      250,  315,  400,  500,  630,  800,  1000,  1250,  1600,  2000,
                                      2500, 3150, 4000, 5000, 6300, 8000, 10000, 12500, 16000, 20000};
constexpr int kThousandHertzBand = 16;
constexpr double kThirdOctave = 1.2599210498948732;  // 2^(1/3)
constexpr double kSixthOctave = 1.1224620483093730;  // 2^(1/6): a band's edge from its centre

// About 5 Hz per bin at 44.1 and 48 kHz, so even the 25 Hz band (22-28 Hz) has a bin.
int frameLengthFor(int sampleRate)
{
    if (sampleRate <= 48000)
        return 8192;
    return sampleRate <= 96000 ? 16384 : 32768;
}

constexpr float kInverseSquareRootTwo = 0.70710678f;
// A band more than 90 dB below the whole signal reads as empty.
constexpr double kEmptyBandShare = 1e-9;
constexpr double kPi = 3.14159265358979323846;

}  // namespace

BandWidthAnalysis::BandWidthAnalysis(int sampleRate) : frameLength(frameLengthFor(sampleRate))
{
    const auto length = static_cast<std::size_t>(frameLength);
    if (!transform.Create(frameLength) || !window.allocate(length, "reportWindow") ||
        !midFrame.allocate(length, "reportMid") || !sideFrame.allocate(length, "reportSide") ||
        !spectrum.allocate(length, "reportSpectrum"))
        throw RenderFailure("not enough memory for the report's band analysis");
    for (std::size_t n = 0; n < length; ++n)
        window[n] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(n) / frameLength));

    const double nyquist = sampleRate / 2.0;
    std::vector<double> lowerEdges;
    std::vector<double> upperEdges;
    double exactCentre = 1000.0;
    for (int band = 0; band < kThousandHertzBand; ++band)
        exactCentre /= kThirdOctave;
    for (const double nominal : kNominalCentres)
    {
        if (exactCentre < nyquist)
        {
            bandCentres.push_back(nominal);
            lowerEdges.push_back(exactCentre / kSixthOctave);
            upperEdges.push_back(exactCentre * kSixthOctave);
        }
        exactCentre *= kThirdOctave;
    }
    bandOfBin.assign(length / 2, -1);
    for (std::size_t bin = 1; bin < length / 2; ++bin)
    {
        const double frequency = static_cast<double>(bin) * sampleRate / frameLength;
        for (std::size_t band = 0; band < bandCentres.size(); ++band)
            if (frequency >= lowerEdges[band] && frequency < upperEdges[band])
                bandOfBin[bin] = static_cast<int>(band);
    }
    midEnergy.assign(bandCentres.size(), 0.0);
    sideEnergy.assign(bandCentres.size(), 0.0);
}

void BandWidthAnalysis::add(const float* left, const float* right, std::size_t frames)
{
    const auto length = static_cast<std::size_t>(frameLength);
    for (std::size_t i = 0; i < frames; ++i)
    {
        // A non-finite sample would spoil every band for the rest of the file.
        const bool finite = std::isfinite(left[i]) && std::isfinite(right[i]);
        midFrame[filled] = finite ? (left[i] + right[i]) * kInverseSquareRootTwo : 0.0f;
        sideFrame[filled] = finite ? (right[i] - left[i]) * kInverseSquareRootTwo : 0.0f;
        ++filled;
        ++sinceAnalysed;
        if (filled == length)
        {
            analyseFrame();
            // Half-overlapping frames: the newer half starts the next one.
            std::memmove(midFrame.data(), midFrame.data() + length / 2, length / 2 * sizeof(float));
            std::memmove(sideFrame.data(), sideFrame.data() + length / 2, length / 2 * sizeof(float));
            filled = length / 2;
        }
    }
}

void BandWidthAnalysis::finish()
{
    if (sinceAnalysed == 0)
        return;
    const auto length = static_cast<std::size_t>(frameLength);
    std::fill(midFrame.data() + filled, midFrame.data() + length, 0.0f);
    std::fill(sideFrame.data() + filled, sideFrame.data() + length, 0.0f);
    analyseFrame();
    filled = 0;
}

void BandWidthAnalysis::analyseFrame()
{
    accumulate(midFrame.data(), midEnergy);
    accumulate(sideFrame.data(), sideEnergy);
    sinceAnalysed = 0;
}

// (H[k]² + H[N - k]²) / 2 is |X[k]|², the bin's energy; the factor cancels in the ratio.
void BandWidthAnalysis::accumulate(const float* signal, std::vector<double>& energies)
{
    const auto length = static_cast<std::size_t>(frameLength);
    float* values = spectrum.data();
    for (std::size_t n = 0; n < length; ++n)
        values[n] = signal[n] * window[n];
    transform.Forward(values);
    for (std::size_t bin = 1; bin < length / 2; ++bin)
    {
        if (bandOfBin[bin] < 0)
            continue;
        const double even = values[bin];
        const double odd = values[length / 2 + bin];
        energies[static_cast<std::size_t>(bandOfBin[bin])] += even * even + odd * odd;
    }
}

std::vector<double> BandWidthAnalysis::widths() const
{
    double total = 0.0;
    for (std::size_t band = 0; band < bandCentres.size(); ++band)
        total += midEnergy[band] + sideEnergy[band];
    std::vector<double> ratios(bandCentres.size(), 0.0);
    for (std::size_t band = 0; band < ratios.size(); ++band)
    {
        // The transform's rounding leaves a little of everything in every band; a band that
        // quiet has no image to measure.
        if (midEnergy[band] + sideEnergy[band] > kEmptyBandShare * total)
            ratios[band] = std::min(kWidestRatio, sideEnergy[band] / std::max(midEnergy[band], 1e-300));
    }
    return ratios;
}
