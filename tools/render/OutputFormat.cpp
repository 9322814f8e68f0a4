#include "OutputFormat.h"

#include "RenderErrors.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace
{

// Extensions people use that differ from the one libsndfile lists, or that it lists for
// more than one type.
struct ExtensionFormat
{
    const char* extension;
    int format;
};

constexpr ExtensionFormat kKnownExtensions[] = {
    {"wav", SF_FORMAT_WAV},
    {"aif", SF_FORMAT_AIFF},
    {"ogg", SF_FORMAT_OGG},
    {"opus", SF_FORMAT_OGG | SF_FORMAT_OPUS},
    {"mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
};

constexpr int kEncodingsByPreference[] = {
    SF_FORMAT_FLOAT, SF_FORMAT_PCM_24, SF_FORMAT_PCM_16, SF_FORMAT_VORBIS, SF_FORMAT_MPEG_LAYER_III,
};

std::string lowerCaseExtension(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty())
        extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

int formatNamedByExtension(const std::string& extension)
{
    for (const ExtensionFormat& known : kKnownExtensions)
    {
        if (extension == known.extension)
            return known.format;
    }
    int majorCount = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &majorCount, sizeof(majorCount));
    for (int i = 0; i < majorCount; ++i)
    {
        SF_FORMAT_INFO info{};
        info.format = i;
        sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof(info));
        if (info.extension != nullptr && extension == info.extension)
            return info.format;
    }
    return 0;
}

bool canWrite(int format, int sampleRate, int channels)
{
    SF_INFO info{};
    info.format = format;
    info.samplerate = sampleRate;
    info.channels = channels;
    return sf_format_check(&info) != 0;
}

}  // namespace

int outputFormatFor(const std::string& path, int sampleRate, int channels)
{
    const std::string extension = lowerCaseExtension(path);
    const int named = formatNamedByExtension(extension);
    if (named == 0)
        throw RenderFailure(path + ": no audio format is known for the extension \"." + extension +
                            "\" (try .wav, .flac, .aiff or .ogg)");
    if ((named & SF_FORMAT_SUBMASK) != 0)
    {
        if (canWrite(named, sampleRate, channels))
            return named;
    }
    else
    {
        for (const int encoding : kEncodingsByPreference)
        {
            if (canWrite(named | encoding, sampleRate, channels))
                return named | encoding;
        }
    }
    throw RenderFailure(path + ": cannot write \"." + extension + "\" files with " + std::to_string(channels) +
                        " channels at " + std::to_string(sampleRate) + " Hz");
}
