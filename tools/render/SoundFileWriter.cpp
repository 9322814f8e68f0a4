#include "SoundFileWriter.h"

#include "OutputFormat.h"
#include "RenderErrors.h"

#include <filesystem>
#include <system_error>

SoundFileWriter::SoundFileWriter(const std::string& filePath, int sampleRate, int channelCount)
    : path(filePath), temporaryPath(filePath + ".partial")
{
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channelCount;
    info.format = outputFormatFor(path, info.samplerate, info.channels);
    file = sf_open(temporaryPath.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
    {
        const std::string reason = sf_strerror(nullptr);
        std::error_code ignored;
        std::filesystem::remove(temporaryPath, ignored);
        throw RenderFailure(path + ": cannot write (" + reason + ")");
    }
    // Integer formats clip overs instead of wrapping them round.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    // The peak chunk carries a time stamp; without it the same audio gives the same bytes.
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
}

SoundFileWriter::~SoundFileWriter()
{
    if (file == nullptr)
        return;
    sf_close(file);
    std::error_code ignored;
    std::filesystem::remove(temporaryPath, ignored);
}

void SoundFileWriter::write(const float* interleaved, std::size_t frames)
{
    if (sf_writef_float(file, interleaved, static_cast<sf_count_t>(frames)) != static_cast<sf_count_t>(frames))
        throw RenderFailure(path + ": writing failed (" + sf_strerror(file) + ")");
}

void SoundFileWriter::commit()
{
    // sf_close writes the header and any encoder state (FLAC's last frame) out.
    const int closing = sf_close(file);
    file = nullptr;
    std::error_code moved;
    if (closing == 0)
        std::filesystem::rename(temporaryPath, path, moved);
    if (closing != 0 || moved)
    {
        std::error_code ignored;
        std::filesystem::remove(temporaryPath, ignored);
        throw RenderFailure(path + ": writing failed (" + (closing != 0 ? sf_error_number(closing) : moved.message()) +
                            ")");
    }
}
