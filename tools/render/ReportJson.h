#pragma once

#include "ImageReport.h"

#include <string>

// The report as JSON: {"definitions": {...}, "input": {...}, "output": {...} or null when
// nothing was processed}. Every number is finite.
std::string reportJson(const ImageReport& input, const ImageReport* output);
