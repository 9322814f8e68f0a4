#pragma once

#include "ImageReport.h"
#include "OfflineRender.h"
#include "SoundFileReader.h"

// Reads the mono or stereo input to its end, a pass at a time, and measures its stereo image
// (mono as both channels).
ImageReport analyseFile(const std::string& path, SoundFileReader& input, const ProgressReport& report);
