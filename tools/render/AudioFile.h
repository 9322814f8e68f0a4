#pragma once

#include "AudioClip.h"

#include <string>

// Whole audio files in memory, for the demo-signal generator and the tests; the renderer
// itself streams (SoundFileReader, SoundFileWriter). Both throw RenderFailure with a
// message naming the file.
AudioClip readAudioFile(const std::string& path);
void writeAudioFile(const std::string& path, const AudioClip& clip);
