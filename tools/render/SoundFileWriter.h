#pragma once

#include <sndfile.h>

#include <cstddef>
#include <string>

// Writes an audio file through libsndfile a piece at a time. The audio goes to a
// temporary file beside path that commit() renames to path, so a render that fails half
// way leaves no half-written file, keeps any file already at path, and may write over
// the very file it reads.
class SoundFileWriter
{
public:
    // The format comes from path's extension (outputFormatFor). Throws RenderFailure.
    SoundFileWriter(const std::string& path, int sampleRate, int channelCount);
    // Without commit() the temporary file is removed.
    ~SoundFileWriter();
    SoundFileWriter(const SoundFileWriter&) = delete;
    SoundFileWriter& operator=(const SoundFileWriter&) = delete;

    // frames interleaved frames of channelCount samples each. Throws RenderFailure.
    void write(const float* interleaved, std::size_t frames);
    // Finishes the file and moves it to path. Throws RenderFailure.
    void commit();

private:
    std::string path;
    std::string temporaryPath;
    SNDFILE* file = nullptr;
};
