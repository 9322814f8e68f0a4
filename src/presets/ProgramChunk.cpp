#include "presets/ProgramChunk.h"

#include <algorithm>

ProgramRecord programOf(const std::array<float, kNumParameters>& values, std::string_view name)
{
    ProgramRecord record;
    initialiseDefaultProgram(record);
    for (int i = 0; i < kNumParameters; ++i)
    {
        record.value[i] = values[i];
        record.display[i] = displayValueFor(i, values[i]);
    }
    std::memset(record.name, 0, sizeof(record.name));
    name.copy(record.name, std::min(name.size(), sizeof(record.name) - 1));
    return record;
}
