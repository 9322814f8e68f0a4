#pragma once

#include <string>

// The text shown for a parameter's display value, by value display kind: 1 (and 13) plain
// "%4.4f", 3 percent, 4 decibels of a linear gain, 15 "on"/"off"; kind 0 shows nothing.
std::string formatValueText(int displayKind, float displayValue);
