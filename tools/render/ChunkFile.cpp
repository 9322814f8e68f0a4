#include "ChunkFile.h"

#include "RenderErrors.h"

#include <fstream>
#include <iterator>

std::vector<unsigned char> readChunkFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw RenderFailure(path + ": cannot open the chunk file");
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        throw RenderFailure(path + ": reading the chunk file failed");
    if (bytes.empty())
        throw RenderFailure(path + ": the chunk file is empty");
    return bytes;
}

void writeChunkFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw RenderFailure(path + ": cannot write the chunk file");
}
