#include "RenderSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{

std::string formatted(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

std::string peakText(float peak)
{
    return peak > 0.0f ? formatted("%.1f dBFS", peakInDecibels(peak)) : "-inf dBFS";
}

std::string levelText(double rms)
{
    return rms > 0.0 ? formatted("%.1f dBFS RMS", levelInDecibels(rms)) : "-inf dBFS RMS";
}

std::string correlationText(const std::optional<double>& correlation)
{
    return correlation ? formatted("%.2f", *correlation) : "n/a";
}

}  // namespace

std::string summaryLine(const RenderReport& report)
{
    // A render too quick for the clock to see still gets a finite speed.
    const double speed = report.audioSeconds / std::max(report.wallSeconds, 1e-6);
    return report.outputPath + ": " + formatted("%.2f s", report.audioSeconds) + " rendered in " +
           formatted("%.2f s", report.wallSeconds) + " (" + formatted("%.1fx realtime", speed) + "); peak " +
           peakText(report.input.peak) + " -> " + peakText(report.output.peak) + "; stereo correlation " +
           correlationText(report.input.correlation) + " -> " + correlationText(report.output.correlation) +
           "; level " + levelText(report.input.rms) + " -> " + levelText(report.output.rms);
}
