#pragma once

#include "BandWidthAnalysis.h"
#include "ImageReport.h"
#include "engine/StereoImageMeter.h"

#include <cstddef>
#include <memory>
#include <string>

// Gathers the ImageReport of one signal while it streams past in pieces of any size. The
// correlation and balance are the Scope's own meter's, read every kReadingSeconds; memory
// stays the same whatever the length but for one number per second.
class ImageReportAnalysis
{
public:
    static constexpr int kReadingsPerSecond = 10;
    // Readings quieter than this (RMS, dBFS) count as silence: no image to speak of.
    static constexpr float kSilentReadingDb = -90.0f;

    // Throws RenderFailure when the analysis' memory cannot be had.
    ImageReportAnalysis(const std::string& path, int sampleRate);

    void add(const float* left, const float* right, std::size_t frames);
    // The report of everything added; add no more after it.
    ImageReport finish();

private:
    std::size_t readingEnd(std::size_t readingIndex) const;
    void takeReading();
    void closeSecond();

    int sampleRate;
    StereoImageMeter meter;
    std::unique_ptr<StereoImageReading> reading;  // large, so not on the stack
    BandWidthAnalysis bands;
    ImageReport report;

    std::size_t frameCount = 0;
    std::size_t readingsTaken = 0;
    // The readings of the second under way.
    int readingsInSecond = 0;
    int audibleReadingsInSecond = 0;
    double correlationSumInSecond = 0.0;

    double balanceSum = 0.0;
    std::size_t audibleReadings = 0;
    double midEnergy = 0.0;
    double sideEnergy = 0.0;
    float peak = 0.0f;
};
