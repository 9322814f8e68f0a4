#pragma once

#include "engine/ProgramRecord.h"
#include "vst/VstAbi.h"

// The chunk forms are told apart by their length alone: no header, no version field.
constexpr VstInt32 kProgramChunkSize = sizeof(ProgramRecord);
constexpr VstInt32 kBankChunkSize = sizeof(ProgramStore);
constexpr VstInt32 kOlderProgramChunkSize = 364;
constexpr VstInt32 kOlderBankChunkSize = 368;
constexpr int kOlderProgramValues = 41;

// Points data into the store given (the program for a preset, the whole bank otherwise)
// and answers its size.
VstInt32 chunkForSaving(ProgramStore& store, int program, bool isPreset, void** data);

// Copies the live store value by value, as other threads may be writing it.
void copyStore(const ProgramStore& live, ProgramStore& copy);

// Copies an accepted chunk form into the store; false, with nothing changed, for any other
// length. Non-finite parameter values become that parameter's default.
bool restoreChunk(ProgramStore& store, int program, const void* data, VstInt32 byteSize, bool isPreset);
