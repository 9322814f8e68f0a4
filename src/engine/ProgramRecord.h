#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

constexpr int kProgramSlots = 336;
constexpr int kProgramNameSize = 32;

// One stored program, byte for byte what the state chunks carry (little-endian floats).
struct ProgramRecord
{
    float value[kProgramSlots];    // normalised parameter values; 0..41 used
    float display[kProgramSlots];  // display values computed when a parameter is set
    std::uint32_t reserved;        // carried through chunks, never interpreted
    char name[kProgramNameSize];   // NUL-terminated, at most 31 characters
};

// The program store as the bank chunk exposes it: a reserved word, then the programs.
struct ProgramStore
{
    std::uint32_t reserved;
    ProgramRecord programs[1];
};

static_assert(sizeof(ProgramRecord) == 2724);
static_assert(offsetof(ProgramRecord, display) == 1344);
static_assert(offsetof(ProgramRecord, reserved) == 2688);
static_assert(offsetof(ProgramRecord, name) == 2692);
static_assert(sizeof(ProgramStore) == 2728);
static_assert(offsetof(ProgramStore, programs) == 4);

// Program values are written by the host's threads and read by the audio thread while the
// bytes stay exactly the record above, so every access to them goes through these.
inline float loadStoredFloat(const float& slot)
{
    return std::atomic_ref<float>(const_cast<float&>(slot)).load(std::memory_order_relaxed);
}

inline void storeStoredFloat(float& slot, float value)
{
    std::atomic_ref<float>(slot).store(value, std::memory_order_relaxed);
}

// Fills a record with the built-in defaults and the name "Default".
void initialiseDefaultProgram(ProgramRecord& record);
