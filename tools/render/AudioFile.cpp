#include "AudioFile.h"

#include "SoundFileReader.h"
#include "SoundFileWriter.h"

#include <algorithm>

namespace
{

constexpr std::size_t kFramesPerTransfer = 8192;

}  // namespace

AudioClip readAudioFile(const std::string& path)
{
    SoundFileReader reader(path);
    AudioClip clip;
    clip.sampleRate = reader.sampleRate();
    const auto channelCount = static_cast<std::size_t>(reader.channelCount());
    clip.channels.resize(channelCount);
    std::vector<float> interleaved;
    while (const std::size_t frames = reader.read(interleaved, kFramesPerTransfer))
    {
        for (std::size_t c = 0; c < channelCount; ++c)
        {
            std::vector<float>& channel = clip.channels[c];
            for (std::size_t i = 0; i < frames; ++i)
                channel.push_back(interleaved[i * channelCount + c]);
        }
    }
    return clip;
}

void writeAudioFile(const std::string& path, const AudioClip& clip)
{
    const std::size_t channelCount = clip.channels.size();
    SoundFileWriter writer(path, clip.sampleRate, static_cast<int>(channelCount));
    std::vector<float> interleaved(kFramesPerTransfer * channelCount);
    for (std::size_t start = 0; start < clip.frames(); start += kFramesPerTransfer)
    {
        const std::size_t frames = std::min(kFramesPerTransfer, clip.frames() - start);
        for (std::size_t i = 0; i < frames; ++i)
        {
            for (std::size_t c = 0; c < channelCount; ++c)
                interleaved[i * channelCount + c] = clip.channels[c][start + i];
        }
        writer.write(interleaved.data(), frames);
    }
    writer.commit();
}
