#include "SoundFileReader.h"

#include "RenderErrors.h"

#include <filesystem>

SoundFileReader::SoundFileReader(const std::string& filePath) : path(filePath)
{
    if (!std::filesystem::exists(path))
        throw RenderFailure(path + ": no such file");
    file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw RenderFailure(path + ": cannot read this file as audio (" + sf_strerror(nullptr) + ")");
}

SoundFileReader::~SoundFileReader()
{
    sf_close(file);
}

std::size_t SoundFileReader::read(std::vector<float>& interleaved, std::size_t frames)
{
    const auto channels = static_cast<std::size_t>(info.channels);
    interleaved.resize(frames * channels);
    std::size_t done = 0;
    // libsndfile may hand over less than asked before the end; only 0 means the end.
    while (done < frames)
    {
        const sf_count_t got =
            sf_readf_float(file, interleaved.data() + done * channels, static_cast<sf_count_t>(frames - done));
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    if (sf_error(file) != SF_ERR_NO_ERROR)
        throw RenderFailure(path + ": reading failed (" + sf_strerror(file) + ")");
    return done;
}
