#include "editor/ValueText.h"

#include <cmath>
#include <cstdio>

namespace
{

constexpr int kPlainNumber = 1;
constexpr int kPercent = 3;
constexpr int kDecibels = 4;
constexpr int kShapeCurve = 13;
constexpr int kOnOff = 15;

std::string printed(const char* format, float value)
{
    char text[32];
    std::snprintf(text, sizeof(text), format, static_cast<double>(value));
    return text;
}

}  // namespace

std::string formatValueText(int displayKind, float v)
{
    switch (displayKind)
    {
    case kPlainNumber:
    case kShapeCurve: return printed("%4.4f", v);
    case kPercent: return printed("%4.2f%%", v);
    case kDecibels:
        if (!(v > 0.0f))
            return "-inf.";
        if (v == 1.0f)
            return "0 dB";
        return printed("%.1f dB", 20.0f * std::log10(v));
    case kOnOff: return v > 0.5f ? "on" : "off";
    default: return "";
    }
}
