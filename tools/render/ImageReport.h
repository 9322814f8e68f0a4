#pragma once

#include "GoniometerDensity.h"

#include <string>
#include <vector>

// The stereo image of one whole file, as the report shows it.
struct ImageReport
{
    std::string path;
    int sampleRate = 0;
    double seconds = 0.0;

    // Each second's correlation: the mean of the Scope's 0.3 s correlation read every 0.1 s
    // (silent readings left out; a silent second reads 0).
    std::vector<float> correlationPerSecond;
    std::vector<bool> secondIsSilent;
    // Plain mean of the non-silent seconds, and the lowest of them with its second (counted
    // from 0); all 0 when the whole file is silent.
    double meanCorrelation = 0.0;
    double lowestCorrelation = 0.0;
    int lowestCorrelationSecond = 0;
    int nonSilentSeconds = 0;

    // Mean of the Scope's non-silent 0.3 s balance readings: (R² - L²) / (R² + L²).
    double balance = 0.0;
    // Side over mid energy of the whole file: 0 mono, 1 as much side as mid; at most
    // kWidestRatio, and 0 for silence.
    double width = 0.0;
    // Side over mid energy per third-octave band, centres in bandCentres.
    std::vector<double> bandCentres;
    std::vector<double> bandWidths;

    double levelDb = 0.0;  // RMS of both channels together, dBFS, floored like the Scope's
    double peakDb = 0.0;   // dBFS, same floor

    GoniometerDensity density;
};

// The widest width any reading gives: side 20 dB above mid, or side alone.
constexpr double kWidestRatio = 100.0;
