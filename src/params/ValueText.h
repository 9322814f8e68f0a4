#pragma once

#include "params/ParameterTable.h"

#include <cstddef>
#include <string>

// The texts of parameter values, one formatter for the editor and the host alike, so they
// never disagree.

// The editor's text for a display value; empty for kDisplayNone.
std::string formatValueText(int displayKind, float displayValue);

// How a parameter's value reads; kDisplayNone outside the table.
int displayKindOfParameter(int parameterIndex);

// The host's text for a parameter: the editor's text where the editor shows one, a plain
// number otherwise, always NUL-terminated within `capacity` bytes. When the editor's text is
// too long (far-out values) a shorter form of the same number is written instead.
void formatParameterDisplay(int parameterIndex, float displayValue, char* text, std::size_t capacity);

// A host's text for any normalised value: formatParameterDisplay of what the engine, and so
// the editor, reads it as (a far-out stored value reads as the end the engine keeps it at).
void formatParameterValue(int parameterIndex, float value, char* text, std::size_t capacity);

// Reads a text as the host's texts print it back into the normalised value: the number with
// or without its unit or label ("%", "dB", "amount"), "on" and "off", and "-inf." for no gain.
// A value past either end of 0..1 is taken as that end. False for any other text, or one
// whose value is not a number (a negative level in dB, "inf").
bool parseParameterValue(int parameterIndex, const char* text, float& value);

// For hosts told a parameter's steps (CLAP, VST3): as formatParameterValue and
// parseParameterValue, but Eq_Num reads as its count of points ("2"), the steps hosts list.
// VST 2.4 keeps its own texts.
void formatSteppedParameterValue(int parameterIndex, float value, char* text, std::size_t capacity);
bool parseSteppedParameterValue(int parameterIndex, const char* text, float& value);

// The label a host prints after a parameter's text: none where the text carries its unit or
// is a word ("dB", "%", "on"/"off", "-inf."), "amount" where it is a plain number.
const char* parameterLabel(int parameterIndex);
