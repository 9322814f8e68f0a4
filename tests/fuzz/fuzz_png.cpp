// libFuzzer target: arbitrary bytes as a PNG file. A decoded image must describe its pixel
// buffer exactly, since the buffer goes to glTexImage2D as it is.
#include "base/ByteReader.h"
#include "glgui/PngDecoder.h"
#include "glgui/TextureDescription.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace
{

constexpr std::size_t kSignatureBytes = 8;
constexpr std::size_t kLengthBytes = 4;
constexpr std::size_t kTypeBytes = 4;
constexpr std::size_t kCrcBytes = 4;

std::uint32_t readBigEndian(const std::uint8_t* bytes)
{
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// Rewrites the checksum of every complete chunk, so that mutated headers, palettes and image
// data get past libpng's CRC test instead of all failing there.
void repairChunkChecksums(std::vector<std::uint8_t>& file)
{
    constexpr std::size_t kFramingBytes = kLengthBytes + kTypeBytes + kCrcBytes;
    std::size_t chunk = kSignatureBytes;
    while (chunk + kFramingBytes <= file.size())
    {
        const std::size_t length = readBigEndian(&file[chunk]);
        if (length > file.size() - chunk - kFramingBytes)
            return;
        const std::size_t checked = kTypeBytes + length;
        const auto crc = static_cast<std::uint32_t>(crc32(0, &file[chunk + kLengthBytes], static_cast<uInt>(checked)));
        std::uint8_t* stored = &file[chunk + kLengthBytes + checked];
        stored[0] = static_cast<std::uint8_t>(crc >> 24);
        stored[1] = static_cast<std::uint8_t>(crc >> 16);
        stored[2] = static_cast<std::uint8_t>(crc >> 8);
        stored[3] = static_cast<std::uint8_t>(crc);
        chunk += kLengthBytes + checked + kCrcBytes;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/)
{
    // An allocation failure must not wait for a click on a message box.
    setenv("VANTOR_NO_DIALOGS", "1", 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> file(data, data + size);
    repairChunkChecksums(file);
    ByteReader reader(file);
    PngImage image;
    if (decodePng(reader, image).status != PngStatus::Decoded)
    {
        if (image.pixels.data() != nullptr)
            std::abort();
        return 0;
    }
    const TextureDescription description = describePngTexture("fuzz.png", image);
    if (image.channels < 1 || image.channels > 4 || image.width < 1 || image.width > kMaxPngSide || image.height < 1 ||
        image.height > kMaxPngSide || image.pixels.size() != image.rowBytes() * image.height ||
        description.byteSize != image.pixels.size())
        std::abort();
    return 0;
}
