#include "presets/PresetFileName.h"

#include "base/AsciiCase.h"
#include "presets/FxpFile.h"

#include <array>
#include <cstring>

namespace
{

bool isRefusedCharacter(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c) != nullptr;
}

bool isDeviceName(const std::string& name)
{
    constexpr std::array<const char*, 22> kDeviceNames = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    const std::string lower = toLowerAscii(name);
    for (const char* device : kDeviceNames)
    {
        if (lower == toLowerAscii(device))
            return true;
    }
    return false;
}

void trim(std::string& name)
{
    const auto isTrimmed = [](char c) { return c == ' ' || c == '.'; };
    while (!name.empty() && isTrimmed(name.back()))
        name.pop_back();
    std::size_t first = 0;
    while (first < name.size() && isTrimmed(name[first]))
        ++first;
    name.erase(0, first);
}

}  // namespace

std::string safePresetName(std::string_view name)
{
    std::string safe(name);
    for (char& c : safe)
    {
        if (isRefusedCharacter(c))
            c = '_';
    }
    trim(safe);
    safe = fxpStoredName(safe);
    // The cut may have left a space or dot at the end.
    trim(safe);
    if (isDeviceName(safe))
        safe = fxpStoredName(safe + "_");
    return safe;
}
