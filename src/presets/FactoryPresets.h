#pragma once

#include "engine/ProgramRecord.h"
#include "params/ParameterTable.h"
#include "presets/ProgramChunk.h"

#include <span>

// One point of the drawn equaliser curve as the program holds it: x along the curve's axis
// (40 Hz at 0 to 20 kHz at 1, on a fourth-power scale), y its level (0.5 flat).
struct CurvePoint
{
    float x;
    float y;
};

// A factory preset: the one definition from which its built-in chunk, its .fxp file and its
// .vstpreset file are all made. Values are normalised, as hosts and the program see them.
struct FactoryPresetDefinition
{
    const char* name;  // at most 27 characters: it must fit a program file's name field
    const char* description;
    float stereoWidth;
    float punch;
    float sizzle;
    float shape;
    float gain;
    float eqRange;  // Eq.gain: how far the curve's top and bottom reach
    int pointCount;
    CurvePoint points[kMaxEqPoints];
};

// Built in, always present, in the order a browser lists them.
std::span<const FactoryPresetDefinition> factoryPresets();

// The program a factory preset stands for, as the effect itself would save it after the
// values were set: the values, their display values and the preset's name.
ProgramRecord factoryProgram(const FactoryPresetDefinition& preset);

inline ProgramChunk factoryChunk(const FactoryPresetDefinition& preset)
{
    return chunkOf(factoryProgram(preset));
}
