#pragma once

#include <sndfile.h>

#include <cstddef>
#include <string>
#include <vector>

// Reads an audio file through libsndfile a piece at a time, so a file of any length needs
// only the memory of one piece.
class SoundFileReader
{
public:
    // Throws RenderFailure with a message naming the file when it is missing or no audio.
    explicit SoundFileReader(const std::string& path);
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    int sampleRate() const { return info.samplerate; }
    int channelCount() const { return info.channels; }
    // The length the file's header states; reading goes on to the real end either way.
    std::size_t statedFrames() const { return info.frames > 0 ? static_cast<std::size_t>(info.frames) : 0; }

    // Reads up to frames frames, interleaved, into interleaved (resized to fit) and returns
    // how many it read: fewer only at the end of the file. Throws RenderFailure when
    // reading fails.
    std::size_t read(std::vector<float>& interleaved, std::size_t frames);

private:
    std::string path;
    SF_INFO info{};
    SNDFILE* file = nullptr;
};
