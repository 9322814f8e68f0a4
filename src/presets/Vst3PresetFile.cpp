#include "presets/Vst3PresetFile.h"

#include "identity/EffectIdentity.h"

namespace
{

constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kListEntryCount = 2;

void putText(std::vector<std::uint8_t>& bytes, const char* text, std::size_t count)
{
    bytes.insert(bytes.end(), text, text + count);
}

void putLittleEndian(std::vector<std::uint8_t>& bytes, std::uint64_t value, int byteCount)
{
    for (int i = 0; i < byteCount; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putListEntry(std::vector<std::uint8_t>& bytes, const char* id, std::uint64_t offset, std::uint64_t size)
{
    putText(bytes, id, 4);
    putLittleEndian(bytes, offset, 8);
    putLittleEndian(bytes, size, 8);
}

}  // namespace

std::string vst3PresetClassId()
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : kEffectIdentity.vst3ClassId)
    {
        text.push_back(kDigits[byte >> 4]);
        text.push_back(kDigits[byte & 0x0F]);
    }
    return text;
}

std::vector<std::uint8_t> writeVst3Preset(const ProgramChunk& chunk)
{
    const std::uint64_t componentOffset = kVst3PresetHeaderBytes;
    const std::uint64_t listOffset = componentOffset + chunk.size();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(listOffset + 8 + kListEntryCount * 20);
    putText(bytes, "VST3", 4);
    putLittleEndian(bytes, kFormatVersion, 4);
    const std::string classId = vst3PresetClassId();
    putText(bytes, classId.data(), classId.size());
    putLittleEndian(bytes, listOffset, 8);
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    putText(bytes, "List", 4);
    putLittleEndian(bytes, kListEntryCount, 4);
    putListEntry(bytes, "Comp", componentOffset, chunk.size());
    putListEntry(bytes, "Cont", listOffset, 0);
    return bytes;
}
