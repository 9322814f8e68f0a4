#include "glgui/SkinFiles.h"

#include "base/AsciiCase.h"
#include "platform/ModuleLocation.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace
{

// Text files get a NUL after their bytes so that readers may treat them as C strings.
constexpr std::array<std::string_view, 4> kTextExtensions = {"frag", "vert", "txt", "fnt"};

bool isTextExtension(std::string_view extension)
{
    return std::find(kTextExtensions.begin(), kTextExtensions.end(), extension) != kTextExtensions.end();
}

class FileHandle
{
public:
    explicit FileHandle(const std::string& path) : file(std::fopen(path.c_str(), "rb")) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (file != nullptr)
            std::fclose(file);
    }

    std::FILE* get() const { return file; }

private:
    std::FILE* file;
};

// The size of an open file, or -1 when it cannot be told (pipes, devices, errors).
long fileSize(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return -1;
    return size;
}

}  // namespace

SkinFiles::SkinFiles(std::string folder) : skinFolder(std::move(folder)) {}

std::string SkinFiles::moduleSkinFolder()
{
    const std::string& moduleFolder = platform::moduleDirectory();
    if (moduleFolder.empty())
        return {};
    // The module folder ends with the separator the platform uses.
    return moduleFolder + "Skin" + moduleFolder.back();
}

std::string SkinFiles::fileNameFor(std::string_view requestedName)
{
    const std::size_t dot = requestedName.find('.');
    const std::string_view base = requestedName.substr(0, dot);
    const std::string_view extension = dot == std::string_view::npos ? requestedName : requestedName.substr(dot + 1);
    return toLowerAscii(base) + "." + toLowerAscii(extension);
}

SkinFile* SkinFiles::openFile(std::string_view requestedName)
{
    if (skinFolder.empty())
        return nullptr;
    const std::string fileName = fileNameFor(requestedName);
    const std::size_t dot = fileName.find('.');
    const bool isText = isTextExtension(std::string_view(fileName).substr(dot + 1));

    const FileHandle file(skinFolder + fileName);
    if (file.get() == nullptr)
        return nullptr;
    const long size = fileSize(file.get());
    if (size < 0 || static_cast<unsigned long>(size) > kMaxFileSize)
        return nullptr;
    const auto fileBytes = static_cast<std::size_t>(size);

    auto record = std::make_unique<SkinFile>();
    record->name = fileName.substr(0, dot);
    const std::size_t length = fileBytes + (isText ? 1 : 0);
    if (!record->data.allocate(length, record->name.c_str()))
        return nullptr;
    if (std::fread(record->data.data(), 1, fileBytes, file.get()) != fileBytes)
        return nullptr;
    if (isText)
        record->data[fileBytes] = 0;
    record->length = length;
    record->reader = ByteReader(record->bytes());
    record->id = nextId++;

    current = record.get();
    records.push_back(std::move(record));
    return current;
}

void SkinFiles::closeFile(const SkinFile* file)
{
    if (file != nullptr)
    {
        const int id = file->id;
        std::erase_if(records, [id](const std::unique_ptr<SkinFile>& record) { return record->id == id; });
    }
    current = nullptr;
}

void SkinFiles::closeCurrent()
{
    closeFile(current);
}
