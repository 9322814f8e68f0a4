#pragma once

#include "Canvas.h"
#include "ImageReport.h"

// The report's one page: for the input (left) and the output (right) the goniometer's density
// and the headline numbers, and below, both sides together, the correlation of every second
// and the width per third-octave band. output is null when nothing was processed.
Canvas drawReportPicture(const ImageReport& input, const ImageReport* output);
