#include "presets/FxpFileOnDisk.h"

#include "platform/FileReplace.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace
{

FxpReading unreadable()
{
    FxpReading reading;
    reading.problem = FxpProblem::Unreadable;
    return reading;
}

}  // namespace

FxpReading readFxpFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return unreadable();
    std::vector<std::uint8_t> bytes(kFxpFileBytes + 1);
    const std::size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return unreadable();
    bytes.resize(count);
    return readFxp(bytes);
}

bool writeFxpFile(const std::string& path, std::string_view name, const ProgramChunk& chunk)
{
    const std::vector<std::uint8_t> bytes = writeFxp(name, chunk);
    const std::string temporary = path + ".partial";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written || !platform::replaceFile(temporary, path))
    {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
