#pragma once

#include "AudioClip.h"

#include <string>

// Audio files through libsndfile. Both throw RenderFailure with a message naming the file.
AudioClip readAudioFile(const std::string& path);
void writeAudioFile(const std::string& path, const AudioClip& clip);
