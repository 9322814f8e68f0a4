#pragma once

#include "ImageReport.h"

#include <string>

// The report's headline numbers, one line for the input and one for the output when there is
// one.
std::string reportText(const ImageReport& input, const ImageReport* output);
