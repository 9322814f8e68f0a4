#pragma once

#include "base/AlignedBuffer.h"
#include "base/ByteReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One skin file read whole into memory.
struct SkinFile
{
    std::string name;                  // lower-case base name, also the allocation label
    AlignedBuffer<std::uint8_t> data;  // 16-byte aligned; text files end with an added NUL
    std::size_t length = 0;            // bytes in data, the added NUL included
    ByteReader reader;                 // read position of the reader consuming the file
    int id = 0;                        // unique among the files opened by one SkinFiles

    std::span<const std::uint8_t> bytes() const { return {data.data(), length}; }
};

// Opens the editor's skin files (images, models, fonts, shader sources) by name from one
// folder. Names are case-insensitive: "Knob1.3DS" opens "knob1.3ds".
class SkinFiles
{
public:
    // Files above this size are refused: no skin file comes near it, and a damaged or
    // foreign file must not make the editor claim gigabytes.
    static constexpr std::size_t kMaxFileSize = std::size_t{64} << 20;

    // folder ends with a path separator; an empty folder finds no files.
    explicit SkinFiles(std::string folder);

    // The "Skin" folder beside the plug-in module; empty when the module folder is unknown.
    static std::string moduleSkinFolder();

    // The file name a requested name maps to: split at the first ".", both parts lower-cased;
    // a name without "." serves as base and extension alike.
    static std::string fileNameFor(std::string_view requestedName);

    // Reads the file whole; null when it is missing, unreadable or too large (no message: the
    // caller decides how to report it). The new record becomes the current file.
    SkinFile* openFile(std::string_view requestedName);

    // Frees the record and its data; the current file becomes null.
    void closeFile(const SkinFile* file);
    void closeCurrent();

    SkinFile* currentFile() const { return current; }
    std::size_t openFileCount() const { return records.size(); }
    const std::string& folder() const { return skinFolder; }

private:
    std::string skinFolder;
    std::vector<std::unique_ptr<SkinFile>> records;
    SkinFile* current = nullptr;
    int nextId = 0;
};
