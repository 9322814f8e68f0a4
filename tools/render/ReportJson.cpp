#include "ReportJson.h"

#include <cmath>
#include <cstdio>

namespace
{

std::string number(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof(text), format, std::isfinite(value) ? value : 0.0);
    return text;
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text)
    {
        if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else if (static_cast<unsigned char>(c) < 0x20)
            out += number("\\u%04x", static_cast<unsigned char>(c));
        else
            out += c;
    }
    return out + "\"";
}

std::string sideObject(const ImageReport& report)
{
    std::string json = "{\n";
    json += "    \"file\": " + quoted(report.path) + ",\n";
    json += "    \"sample_rate\": " + std::to_string(report.sampleRate) + ",\n";
    json += "    \"seconds\": " + number("%.3f", report.seconds) + ",\n";
    json += "    \"correlation_mean\": " + number("%.4f", report.meanCorrelation) + ",\n";
    json += "    \"correlation_lowest\": " + number("%.4f", report.lowestCorrelation) + ",\n";
    json += "    \"correlation_lowest_second\": " + std::to_string(report.lowestCorrelationSecond) + ",\n";
    json += "    \"non_silent_seconds\": " + std::to_string(report.nonSilentSeconds) + ",\n";
    json += "    \"width\": " + number("%.4f", report.width) + ",\n";
    json += "    \"balance\": " + number("%.4f", report.balance) + ",\n";
    json += "    \"level_dbfs_rms\": " + number("%.2f", report.levelDb) + ",\n";
    json += "    \"peak_dbfs\": " + number("%.2f", report.peakDb) + ",\n";
    json += "    \"bands\": [";
    for (std::size_t band = 0; band < report.bandCentres.size(); ++band)
        json += std::string(band == 0 ? "\n" : ",\n") + "      {\"hz\": " + number("%g", report.bandCentres[band]) +
                ", \"width\": " + number("%.4f", report.bandWidths[band]) + "}";
    json += "\n    ],\n";
    json += "    \"correlation_per_second\": [";
    for (std::size_t second = 0; second < report.correlationPerSecond.size(); ++second)
        json += std::string(second == 0 ? "" : (second % 10 == 0 ? ",\n      " : ", ")) +
                number("%.4f", report.correlationPerSecond[second]);
    json += "],\n";
    json += "    \"silent_seconds\": [";
    bool first = true;
    for (std::size_t second = 0; second < report.secondIsSilent.size(); ++second)
    {
        if (!report.secondIsSilent[second])
            continue;
        json += (first ? "" : ", ") + std::to_string(second);
        first = false;
    }
    json += "]\n  }";
    return json;
}

}  // namespace

std::string reportJson(const ImageReport& input, const ImageReport* output)
{
    std::string json = "{\n  \"definitions\": {\n";
    json += "    \"correlation\": \"the stereo image meter's 0.3 s correlation, read every 0.1 s; each second the "
            "mean of its non-silent readings (silent seconds read 0)\",\n";
    json += "    \"correlation_mean\": \"plain mean over the non-silent seconds\",\n";
    json += "    \"width\": \"side energy over mid energy: 0 mono, 1 as much side as mid, at most 100\",\n";
    json += "    \"balance\": \"(R^2 - L^2) / (R^2 + L^2) over 0.3 s, mean of the non-silent readings: -1 left "
            "only, +1 right only\",\n";
    json += "    \"level_dbfs_rms\": \"RMS of both channels together over the whole file\"\n  },\n";
    json += "  \"input\": " + sideObject(input) + ",\n";
    json += "  \"output\": " + (output != nullptr ? sideObject(*output) : std::string("null")) + "\n}\n";
    return json;
}
