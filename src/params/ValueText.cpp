#include "params/ValueText.h"

#include "params/PlainValues.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

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

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// Against a lower-case word, ignoring the case of ASCII letters only (whatever the locale).
bool sameWord(std::string_view text, std::string_view word)
{
    if (text.size() != word.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        const char c = text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != word[i])
            return false;
    }
    return true;
}

// A number at the start of the text and, after it, nothing or one of the given units.
bool readNumber(std::string_view text, std::span<const std::string_view> units, float& number)
{
    const std::string copy(text);
    char* end = nullptr;
    number = std::strtof(copy.c_str(), &end);
    if (end == copy.c_str())
        return false;
    const std::string_view rest = trimmed(std::string_view(copy).substr(static_cast<std::size_t>(end - copy.c_str())));
    if (rest.empty())
        return true;
    for (std::string_view unit : units)
    {
        if (sameWord(rest, unit))
            return true;
    }
    return false;
}

// The display value a host's text names, in the parameter's own terms.
bool readDisplayValue(int displayKind, std::string_view text, float& displayValue)
{
    static constexpr std::string_view kPercentUnits[] = {"%"};
    static constexpr std::string_view kDecibelUnits[] = {"db"};
    static constexpr std::string_view kPlainUnits[] = {"amount"};
    switch (displayKind)
    {
    case kDisplayOnOff:
        if (sameWord(text, "on") || sameWord(text, "off"))
        {
            displayValue = sameWord(text, "on") ? 1.0f : 0.0f;
            return true;
        }
        return readNumber(text, {}, displayValue);
    case kDisplayPercent: return readNumber(text, kPercentUnits, displayValue);
    case kDisplayDecibels:
    {
        if (sameWord(text, "-inf.") || sameWord(text, "-inf"))
        {
            displayValue = 0.0f;
            return true;
        }
        float level = 0.0f;
        if (!readNumber(text, kDecibelUnits, level))
            return false;
        displayValue = std::pow(10.0f, level / 20.0f);
        return true;
    }
    default: return readNumber(text, kPlainUnits, displayValue);
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

void formatParameterValue(int parameterIndex, float value, char* text, std::size_t capacity)
{
    // What the engine and the editor make of a far-out stored value, not the value itself.
    formatParameterDisplay(parameterIndex, displayValueFor(parameterIndex, engineValue(value)), text, capacity);
}

bool parseParameterValue(int parameterIndex, const char* text, float& value)
{
    float displayValue = 0.0f;
    if (text == nullptr || !isParameter(parameterIndex) ||
        !readDisplayValue(displayKindOfParameter(parameterIndex), trimmed(text), displayValue))
        return false;
    const float parsed = normalisedValueFor(parameterIndex, displayValue);
    if (!std::isfinite(parsed))
        return false;
    // A text past either end of the range means that end, as a host's slider would take it.
    value = std::clamp(parsed, 0.0f, 1.0f);
    return true;
}

namespace
{

bool readsAsCount(int parameterIndex)
{
    return isParameter(parameterIndex) && kParameterTable[parameterIndex].plainScale == PlainScale::PointCount;
}

}  // namespace

void formatSteppedParameterValue(int parameterIndex, float value, char* text, std::size_t capacity)
{
    if (!readsAsCount(parameterIndex) || text == nullptr || capacity == 0)
    {
        formatParameterValue(parameterIndex, value, text, capacity);
        return;
    }
    std::snprintf(text, capacity, "%.0f", static_cast<double>(plainValueFor(parameterIndex, engineValue(value))));
}

bool parseSteppedParameterValue(int parameterIndex, const char* text, float& value)
{
    if (!readsAsCount(parameterIndex) || text == nullptr)
        return parseParameterValue(parameterIndex, text, value);
    float count = 0.0f;
    if (!readNumber(trimmed(text), {}, count) || !std::isfinite(count))
        return false;
    value = normalisedValueForPlain(parameterIndex, count);
    return true;
}
