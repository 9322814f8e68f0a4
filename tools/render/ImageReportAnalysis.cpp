#include "ImageReportAnalysis.h"

#include "RenderErrors.h"

#include <algorithm>
#include <cmath>

namespace
{

double decibelsOf(double amplitude)
{
    return amplitude > 0.0 ? std::max(static_cast<double>(kImageSilenceDb), 20.0 * std::log10(amplitude))
                           : kImageSilenceDb;
}

}  // namespace

ImageReportAnalysis::ImageReportAnalysis(const std::string& path, int rate)
    : sampleRate(rate), reading(std::make_unique<StereoImageReading>()), bands(rate)
{
    if (!meter.prepare(static_cast<float>(rate)))
        throw RenderFailure("not enough memory for the report's stereo image meter");
    report.path = path;
    report.sampleRate = rate;
}

// The frame after which reading readingIndex is taken: whole readings per second at any rate.
std::size_t ImageReportAnalysis::readingEnd(std::size_t readingIndex) const
{
    return (readingIndex + 1) * static_cast<std::size_t>(sampleRate) / kReadingsPerSecond;
}

void ImageReportAnalysis::add(const float* left, const float* right, std::size_t frames)
{
    report.density.add(left, right, frames);
    bands.add(left, right, frames);
    for (std::size_t i = 0; i < frames; ++i)
    {
        if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
            continue;
        const double mid = left[i] + static_cast<double>(right[i]);
        const double side = right[i] - static_cast<double>(left[i]);
        midEnergy += mid * mid;
        sideEnergy += side * side;
        peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    }
    for (std::size_t done = 0; done < frames;)
    {
        const std::size_t count = std::min(frames - done, readingEnd(readingsTaken) - frameCount);
        meter.analyse(left + done, right + done, static_cast<int>(count));
        done += count;
        frameCount += count;
        if (frameCount == readingEnd(readingsTaken))
            takeReading();
    }
}

void ImageReportAnalysis::takeReading()
{
    meter.read(*reading);
    const bool audible = reading->levelDb > kSilentReadingDb && std::isfinite(reading->levelDb) &&
                         std::isfinite(reading->correlationFast) && std::isfinite(reading->balance);
    if (audible)
    {
        correlationSumInSecond += reading->correlationFast;
        ++audibleReadingsInSecond;
        balanceSum += reading->balance;
        ++audibleReadings;
    }
    ++readingsTaken;
    if (++readingsInSecond == kReadingsPerSecond)
        closeSecond();
}

void ImageReportAnalysis::closeSecond()
{
    const bool silent = audibleReadingsInSecond == 0;
    report.correlationPerSecond.push_back(
        silent ? 0.0f : static_cast<float>(correlationSumInSecond / audibleReadingsInSecond));
    report.secondIsSilent.push_back(silent);
    readingsInSecond = 0;
    audibleReadingsInSecond = 0;
    correlationSumInSecond = 0.0;
}

ImageReport ImageReportAnalysis::finish()
{
    // The last, shorter reading covers the end of the file.
    const std::size_t lastReadingEnd = readingsTaken == 0 ? 0 : readingEnd(readingsTaken - 1);
    if (frameCount > lastReadingEnd)
        takeReading();
    if (readingsInSecond > 0)
        closeSecond();
    bands.finish();

    report.seconds = static_cast<double>(frameCount) / sampleRate;
    double sum = 0.0;
    for (std::size_t second = 0; second < report.correlationPerSecond.size(); ++second)
    {
        if (report.secondIsSilent[second])
            continue;
        const double value = report.correlationPerSecond[second];
        if (report.nonSilentSeconds == 0 || value < report.lowestCorrelation)
        {
            report.lowestCorrelation = value;
            report.lowestCorrelationSecond = static_cast<int>(second);
        }
        sum += value;
        ++report.nonSilentSeconds;
    }
    report.meanCorrelation = report.nonSilentSeconds > 0 ? sum / report.nonSilentSeconds : 0.0;
    report.balance = audibleReadings > 0 ? balanceSum / static_cast<double>(audibleReadings) : 0.0;
    report.width = sideEnergy > 0.0 ? std::min(kWidestRatio, sideEnergy / std::max(midEnergy, 1e-300)) : 0.0;
    report.bandCentres = bands.centres();
    report.bandWidths = bands.widths();
    const double meanSquare = frameCount > 0 ? (midEnergy + sideEnergy) / (4.0 * static_cast<double>(frameCount)) : 0.0;
    report.levelDb = decibelsOf(std::sqrt(meanSquare));
    report.peakDb = decibelsOf(peak);
    return std::move(report);
}
