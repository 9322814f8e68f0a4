#include "presets/FxpFile.h"

#include "base/ByteReader.h"
#include "identity/EffectIdentity.h"

#include <algorithm>

namespace
{

// Four characters as the big-endian word they make.
constexpr std::uint32_t fourCharacters(const char* text)
{
    return (std::uint32_t{static_cast<std::uint8_t>(text[0])} << 24) |
           (std::uint32_t{static_cast<std::uint8_t>(text[1])} << 16) |
           (std::uint32_t{static_cast<std::uint8_t>(text[2])} << 8) | std::uint32_t{static_cast<std::uint8_t>(text[3])};
}

constexpr std::uint32_t kContainerMagic = fourCharacters("CcnK");
constexpr std::uint32_t kChunkProgramMagic = fourCharacters("FPCh");
constexpr std::uint32_t kParameterProgramMagic = fourCharacters("FxCk");
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::uint32_t kProgramCount = 1;
// The byte size field counts everything after the magic and itself.
constexpr std::size_t kUncountedBytes = 8;

void putBigEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

FxpReading refused(FxpProblem problem)
{
    FxpReading reading;
    reading.problem = problem;
    return reading;
}

}  // namespace

std::uint32_t fxpPluginId()
{
    return fourCharacters(kEffectIdentity.vst2UniqueId);
}

FxpReading readFxp(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    if (bytes.size() < 4)
        return refused(FxpProblem::Truncated);
    if (reader.readU32BigEndian() != kContainerMagic)
        return refused(FxpProblem::NotAProgramFile);
    if (bytes.size() < kFxpHeaderBytes)
        return refused(FxpProblem::Truncated);
    const std::uint32_t countedBytes = reader.readU32BigEndian();
    const std::uint32_t programMagic = reader.readU32BigEndian();
    if (programMagic == kParameterProgramMagic)
        return refused(FxpProblem::ParameterList);
    if (programMagic != kChunkProgramMagic)
        return refused(FxpProblem::NotAProgramFile);
    if (reader.readU32BigEndian() != kFormatVersion)
        return refused(FxpProblem::UnknownVersion);
    if (reader.readU32BigEndian() != fxpPluginId())
        return refused(FxpProblem::ForeignPlugin);
    reader.readU32BigEndian();  // the plug-in version that wrote it: any of ours reads any other's
    if (reader.readU32BigEndian() != kProgramCount)
        return refused(FxpProblem::NotOneProgram);
    char name[kFxpNameBytes];
    reader.read(name, sizeof(name));
    const std::uint32_t chunkBytes = reader.readU32BigEndian();
    // The sizes are compared as the file states them, before anything is taken on trust.
    if (std::uint64_t{countedBytes} + kUncountedBytes > bytes.size())
        return refused(FxpProblem::Truncated);
    if (std::uint64_t{countedBytes} + kUncountedBytes < bytes.size() || chunkBytes != kProgramChunkBytes ||
        bytes.size() != kFxpFileBytes)
        return refused(FxpProblem::WrongSize);
    const char* nameEnd = std::find(name, name + sizeof(name), '\0');
    if (nameEnd == name + sizeof(name))
        return refused(FxpProblem::UnterminatedName);
    FxpReading reading;
    reading.name.assign(name, static_cast<std::size_t>(nameEnd - name));
    reader.read(reading.chunk.data(), reading.chunk.size());
    return reading;
}

const char* fxpProblemText(FxpProblem problem)
{
    switch (problem)
    {
    case FxpProblem::None: return "read";
    case FxpProblem::Truncated: return "truncated";
    case FxpProblem::NotAProgramFile: return "not a VST program file";
    case FxpProblem::ParameterList: return "holds a parameter list, not a program chunk";
    case FxpProblem::UnknownVersion: return "unknown file version";
    case FxpProblem::ForeignPlugin: return "made for another plug-in";
    case FxpProblem::NotOneProgram: return "holds more than one program";
    case FxpProblem::WrongSize: return "wrong size";
    case FxpProblem::UnterminatedName: return "name not terminated";
    case FxpProblem::Unreadable: return "cannot be read";
    }
    return "unreadable";
}

std::string fxpStoredName(std::string_view name)
{
    std::size_t length = std::min(name.size(), kFxpLongestName);
    // Back to the start of a UTF-8 character when the cut falls inside one.
    if (length < name.size())
    {
        while (length > 0 && (static_cast<std::uint8_t>(name[length]) & 0xC0) == 0x80)
            --length;
    }
    std::string stored(name.substr(0, length));
    stored.erase(std::find(stored.begin(), stored.end(), '\0'), stored.end());
    return stored;
}

std::vector<std::uint8_t> writeFxp(std::string_view name, const ProgramChunk& chunk)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kFxpFileBytes);
    putBigEndian(bytes, kContainerMagic);
    putBigEndian(bytes, static_cast<std::uint32_t>(kFxpFileBytes - kUncountedBytes));
    putBigEndian(bytes, kChunkProgramMagic);
    putBigEndian(bytes, kFormatVersion);
    putBigEndian(bytes, fxpPluginId());
    putBigEndian(bytes, static_cast<std::uint32_t>(kEffectIdentity.versionNumber));
    putBigEndian(bytes, kProgramCount);
    const std::string stored = fxpStoredName(name);
    bytes.insert(bytes.end(), stored.begin(), stored.end());
    bytes.resize(bytes.size() + kFxpNameBytes - stored.size(), 0);
    putBigEndian(bytes, static_cast<std::uint32_t>(kProgramChunkBytes));
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
    return bytes;
}
