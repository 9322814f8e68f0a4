#include "AudioFile.h"

#include "OutputFormat.h"
#include "RenderErrors.h"

#include <sndfile.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace
{

constexpr sf_count_t kFramesPerTransfer = 8192;

struct SoundFileCloser
{
    void operator()(SNDFILE* file) const { sf_close(file); }
};

using SoundFile = std::unique_ptr<SNDFILE, SoundFileCloser>;

void appendDeinterleaved(AudioClip& clip, const std::vector<float>& interleaved, sf_count_t frames)
{
    const std::size_t channelCount = clip.channels.size();
    for (std::size_t c = 0; c < channelCount; ++c)
    {
        std::vector<float>& channel = clip.channels[c];
        for (sf_count_t i = 0; i < frames; ++i)
            channel.push_back(interleaved[static_cast<std::size_t>(i) * channelCount + c]);
    }
}

void interleave(const AudioClip& clip, std::size_t start, std::size_t frames, std::vector<float>& interleaved)
{
    const std::size_t channelCount = clip.channels.size();
    for (std::size_t i = 0; i < frames; ++i)
    {
        for (std::size_t c = 0; c < channelCount; ++c)
            interleaved[i * channelCount + c] = clip.channels[c][start + i];
    }
}

}  // namespace

AudioClip readAudioFile(const std::string& path)
{
    if (!std::filesystem::exists(path))
        throw RenderFailure(path + ": no such file");
    SF_INFO info{};
    const SoundFile file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file)
        throw RenderFailure(path + ": cannot read this file as audio (" + sf_strerror(nullptr) + ")");

    AudioClip clip;
    clip.sampleRate = info.samplerate;
    clip.channels.resize(static_cast<std::size_t>(info.channels));
    std::vector<float> interleaved(static_cast<std::size_t>(kFramesPerTransfer * info.channels));
    sf_count_t framesRead = 0;
    while ((framesRead = sf_readf_float(file.get(), interleaved.data(), kFramesPerTransfer)) > 0)
        appendDeinterleaved(clip, interleaved, framesRead);
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw RenderFailure(path + ": reading failed (" + sf_strerror(file.get()) + ")");
    return clip;
}

void writeAudioFile(const std::string& path, const AudioClip& clip)
{
    SF_INFO info{};
    info.samplerate = clip.sampleRate;
    info.channels = static_cast<int>(clip.channels.size());
    info.format = outputFormatFor(path, info.samplerate, info.channels);
    const SoundFile file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
        throw RenderFailure(path + ": cannot write (" + sf_strerror(nullptr) + ")");
    // Integer formats clip overs instead of wrapping them round.
    sf_command(file.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // The peak chunk carries a time stamp; without it the same audio gives the same bytes.
    sf_command(file.get(), SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);

    std::vector<float> interleaved(static_cast<std::size_t>(kFramesPerTransfer) * clip.channels.size());
    for (std::size_t start = 0; start < clip.frames(); start += kFramesPerTransfer)
    {
        const std::size_t frames = std::min<std::size_t>(kFramesPerTransfer, clip.frames() - start);
        interleave(clip, start, frames, interleaved);
        if (sf_writef_float(file.get(), interleaved.data(), static_cast<sf_count_t>(frames)) !=
            static_cast<sf_count_t>(frames))
            throw RenderFailure(path + ": writing failed (" + sf_strerror(file.get()) + ")");
    }
}
