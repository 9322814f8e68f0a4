#include "effect/StateChunks.h"

#include "params/ParameterTable.h"

#include <cmath>
#include <cstring>

namespace
{

float readFloat(const unsigned char* bytes, int index)
{
    float value = 0.0f;
    std::memcpy(&value, bytes + index * sizeof(float), sizeof(float));
    return value;
}

float sanitisedValue(int index, float value)
{
    if (index < kNumParameters && !std::isfinite(value))
        return kParameterTable[index].defaultValue;
    return value;
}

void restoreRecord(ProgramRecord& record, const unsigned char* bytes)
{
    const unsigned char* displayBytes = bytes + offsetof(ProgramRecord, display);
    for (int i = 0; i < kProgramSlots; ++i)
    {
        storeStoredFloat(record.value[i], sanitisedValue(i, readFloat(bytes, i)));
        storeStoredFloat(record.display[i], readFloat(displayBytes, i));
    }
    std::memcpy(&record.reserved, bytes + offsetof(ProgramRecord, reserved), sizeof(record.reserved));
    std::memcpy(record.name, bytes + offsetof(ProgramRecord, name), sizeof(record.name));
}

// The older form carries only the first 41 values; its Eq.gain is replaced because that
// form stored the range on another scale.
void restoreOlderRecord(ProgramRecord& record, const unsigned char* bytes)
{
    for (int i = 0; i < kOlderProgramValues; ++i)
        storeStoredFloat(record.value[i], sanitisedValue(i, readFloat(bytes, i)));
    storeStoredFloat(record.value[kParamEqGain], kParameterTable[kParamEqGain].defaultValue);
}

}  // namespace

std::int32_t chunkForSaving(ProgramStore& store, int program, bool isPreset, void** data)
{
    if (isPreset)
    {
        *data = &store.programs[program];
        return kProgramChunkSize;
    }
    *data = &store;
    return kBankChunkSize;
}

void copyStore(const ProgramStore& live, ProgramStore& copy)
{
    copy.reserved = live.reserved;
    const ProgramRecord& from = live.programs[0];
    ProgramRecord& to = copy.programs[0];
    for (int i = 0; i < kProgramSlots; ++i)
    {
        to.value[i] = loadStoredFloat(from.value[i]);
        to.display[i] = loadStoredFloat(from.display[i]);
    }
    to.reserved = from.reserved;
    std::memcpy(to.name, from.name, sizeof(to.name));
}

bool restoreChunk(ProgramStore& store, int program, const void* data, std::int32_t byteSize, bool isPreset)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    ProgramRecord& record = store.programs[program];
    if (isPreset && byteSize == kProgramChunkSize)
        restoreRecord(record, bytes);
    else if (isPreset && byteSize == kOlderProgramChunkSize)
        restoreOlderRecord(record, bytes);
    else if (!isPreset && byteSize == kBankChunkSize)
    {
        std::memcpy(&store.reserved, bytes, sizeof(store.reserved));
        restoreRecord(store.programs[0], bytes + offsetof(ProgramStore, programs));
    }
    else if (!isPreset && byteSize == kOlderBankChunkSize)
        restoreOlderRecord(store.programs[0], bytes + sizeof(std::uint32_t));
    else
        return false;
    return true;
}
