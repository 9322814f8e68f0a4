#pragma once

#include "engine/ProgramRecord.h"

#include <cstdint>

// The chunk forms are told apart by their length alone: no header, no version field.
constexpr std::int32_t kProgramChunkSize = sizeof(ProgramRecord);
constexpr std::int32_t kBankChunkSize = sizeof(ProgramStore);
constexpr std::int32_t kOlderProgramChunkSize = 364;
constexpr std::int32_t kOlderBankChunkSize = 368;
constexpr int kOlderProgramValues = 41;

// Points data into the store given (the program for a preset, the whole bank otherwise)
// and answers its size.
std::int32_t chunkForSaving(ProgramStore& store, int program, bool isPreset, void** data);

// Copies the live store value by value, as other threads may be writing it.
void copyStore(const ProgramStore& live, ProgramStore& copy);

// Copies an accepted chunk form into the store; false, with nothing changed, for any other
// length. Non-finite parameter values become that parameter's default.
bool restoreChunk(ProgramStore& store, int program, const void* data, std::int32_t byteSize, bool isPreset);
