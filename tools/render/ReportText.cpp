#include "ReportText.h"

#include <cstdio>

namespace
{

std::string headline(const std::string& side, const ImageReport& report)
{
    char numbers[256];
    std::snprintf(numbers, sizeof(numbers),
                  "correlation mean %.2f, lowest %.2f at %d s; width %.2f; balance %+.2f; level %.1f dBFS RMS, "
                  "peak %.1f dBFS",
                  report.meanCorrelation, report.lowestCorrelation, report.lowestCorrelationSecond, report.width,
                  report.balance, report.levelDb, report.peakDb);
    return side + " " + report.path + ": " + numbers + "\n";
}

}  // namespace

std::string reportText(const ImageReport& input, const ImageReport* output)
{
    return headline("input ", input) + (output != nullptr ? headline("output", *output) : std::string());
}
