#pragma once

#include <string>

// The libsndfile format (major type and sample encoding) for writing a file named path:
// the extension picks the type, and the encoding is the most precise the type can hold,
// so ".wav" means 32-bit float. Throws RenderFailure when no format fits.
int outputFormatFor(const std::string& path, int sampleRate, int channels);
