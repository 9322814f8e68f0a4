#include "engine/ProgramRecord.h"

#include "params/ParameterTable.h"

#include <cstring>

void initialiseDefaultProgram(ProgramRecord& record)
{
    std::memset(&record, 0, sizeof(record));
    for (int i = 0; i < kNumParameters; ++i)
        record.value[i] = kParameterTable[i].defaultValue;
    std::strncpy(record.name, "Default", sizeof(record.name) - 1);
}
