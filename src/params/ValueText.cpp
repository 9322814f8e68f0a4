#include "params/ValueText.h"

#include <cmath>
#include <cstdio>
#include <span>

namespace
{

std::string printed(const char* format, float value)
{
    char buffer[64] = {};
    std::snprintf(buffer, sizeof(buffer), format, static_cast<double>(value));
    return buffer;
}

// Gain in dB computed in single precision, as the text has always shown it.
float decibels(float gain)
{
    return 20.0f * std::log10(gain);
}

// The forms a value may take for the host, longest first: the first that fits is written.
std::span<const char* const> hostFormats(int displayKind)
{
    static constexpr const char* kPercent[] = {"%4.2f%%", "%.0f%%", "%.0e%%", "%.0e"};
    static constexpr const char* kDecibels[] = {"%.1f dB", "%.0f dB", "%.0fdB"};
    static constexpr const char* kPlain[] = {"%4.4f", "%.3g", "%.1g", "%.0e"};
    static constexpr const char* kNumber[] = {"%.4f", "%.3g", "%.1g", "%.0e"};
    switch (displayKind)
    {
    case kDisplayPercent: return kPercent;
    case kDisplayDecibels: return kDecibels;
    case kDisplayPlain:
    case kDisplayShapeCurve: return kPlain;
    default: return kNumber;
    }
}

}  // namespace

std::string formatValueText(int displayKind, float displayValue)
{
    switch (displayKind)
    {
    case kDisplayPlain:
    case kDisplayShapeCurve: return printed("%4.4f", displayValue);
    case kDisplayPercent: return printed("%4.2f%%", displayValue);
    case kDisplayDecibels:
        if (!(displayValue > 0.0f))
            return "-inf.";
        if (displayValue == 1.0f)
            return "0 dB";
        return printed("%.1f dB", decibels(displayValue));
    case kDisplayOnOff: return displayValue > 0.5f ? "on" : "off";
    default: return {};
    }
}

int displayKindOfParameter(int parameterIndex)
{
    return isParameter(parameterIndex) ? kParameterTable[parameterIndex].display : kDisplayNone;
}

const char* parameterLabel(int parameterIndex)
{
    switch (displayKindOfParameter(parameterIndex))
    {
    case kDisplayPercent:
    case kDisplayDecibels:
    case kDisplayOnOff: return "";
    default: return "amount";
    }
}

void formatParameterDisplay(int parameterIndex, float displayValue, char* text, std::size_t capacity)
{
    if (text == nullptr || capacity == 0)
        return;
    const int kind = displayKindOfParameter(parameterIndex);
    std::string candidate = formatValueText(kind, displayValue);
    if (kind == kDisplayDecibels && candidate.find(" dB") != std::string::npos)
        displayValue = decibels(displayValue);
    for (const char* format : hostFormats(kind))
    {
        if (!candidate.empty() && candidate.size() < capacity)
            break;
        candidate = printed(format, displayValue);
    }
    std::snprintf(text, capacity, "%s", candidate.c_str());
}
